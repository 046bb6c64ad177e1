// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Outcome.h"
#include "cli/Subcommands.h"

// sync-time: sets the clock so that its second begins on this computer's
// second, then reads it back.
Outcome SyncTime(CliContext& context, const QStringList& arguments);

// offset: how far the clock is ahead of or behind this computer, to the
// millisecond, without changing it; with --watch over time, and its drift.
Outcome Offset(CliContext& context, const QStringList& arguments);
