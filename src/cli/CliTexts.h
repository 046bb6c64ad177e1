// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

// The context of whirlbeamctl's sentences for translation. Its JSON (but
// for an error's message, the sentence standard error shows), the reply
// lines monitor shows as they came and its exit codes are never translated,
// so that scripts keep working whatever the locale.
struct CliTexts {
    Q_DECLARE_TR_FUNCTIONS(whirlbeamctl)
};
