// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Subcommands.h"

// whirlbeamctl mqtt: the clock on an MQTT broker until a signal ends it.
Outcome Mqtt(CliContext& context, const QStringList& arguments);
