// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/replies/ConnectionReplies.h"
#include "protocol/replies/PeripheralReplies.h"
#include "protocol/replies/StatusReplies.h"

#include <QString>
#include <optional>

// Decoded replies in words, for people reading whirlbeamctl's status and
// monitor; a field that could not be read shows "?".

QString NumberWords(const std::optional<int>& value);
// "run", "sleep", "deep sleep": the whirlbeam's mode by its status flags.
QString WhirlbeamMode(int flags);
// The chip name of the configuration reply without its leading blank.
QString ChipWords(const ConfigRecord& config);
QString DateWords(const DateRecord& date);
QString TimeWords(const std::optional<QTime>& time);
QString WhirlbeamWords(const WhirlbeamStatusRecord& status);
QString RelayWords(const RelayRecord& relay);
QString SensorWords(const MeasurementRecord& sensors);
