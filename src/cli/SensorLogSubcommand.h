// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Subcommands.h"

// whirlbeamctl log --csv FILE: the measurements appended to FILE until a
// signal ends it.
Outcome SensorLog(CliContext& context, const QStringList& arguments);
