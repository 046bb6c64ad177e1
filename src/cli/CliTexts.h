// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

// The context of whirlbeamctl's sentences for translation. Its JSON, its
// monitor lines and its exit codes are never translated, so that scripts
// keep working whatever the locale.
struct CliTexts {
    Q_DECLARE_TR_FUNCTIONS(whirlbeamctl)
};
