// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/replies/ConnectionReplies.h"
#include "protocol/replies/PeripheralReplies.h"
#include "protocol/replies/StatusReplies.h"

#include <QString>
#include <optional>

// Decoded replies in words, for whirlbeamctl's status and monitor; a field
// that could not be read shows "?".

// Who reads the words. Scripts (monitor's JSON) get them as they have
// always been: English, numbers as C writes them. People get them in their
// language, numbers as their locale writes them.
enum class WordsFor { Scripts, People };

// The English source as it stands, or its translation in the context
// "ReplyWords" (sources marked with QT_TRANSLATE_NOOP("ReplyWords", ...)).
QString Said(WordsFor audience, const char* source);
QString NumberWords(int value, WordsFor audience);
QString NumberWords(const std::optional<int>& value, WordsFor audience = WordsFor::Scripts);
// "run", "sleep", "deep sleep": the whirlbeam's mode by its status flags.
QString WhirlbeamMode(int flags, WordsFor audience = WordsFor::Scripts);
// The chip name of the configuration reply without its leading blank.
QString ChipWords(const ConfigRecord& config);
QString DateWords(const DateRecord& date, WordsFor audience = WordsFor::Scripts);
QString TimeWords(const std::optional<QTime>& time);
QString WhirlbeamWords(const WhirlbeamStatusRecord& status, WordsFor audience = WordsFor::Scripts);
QString RelayWords(const RelayRecord& relay, WordsFor audience = WordsFor::Scripts);
QString SensorWords(const MeasurementRecord& sensors, WordsFor audience = WordsFor::Scripts);
