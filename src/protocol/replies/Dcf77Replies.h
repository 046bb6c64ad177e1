// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>

// The replies that feed the DCF77 page. Each record holds the fields in the
// order the page applies them; the first field that failed and everything
// after it are nullopt.

// The decoder's state and the last date and time it decoded ("["). The
// clock packs flags into the low bits of each date byte and adds the tens
// as separate bits; units are taken as they come, unchecked.
struct Dcf77StateRecord {
    struct DayState {
        int day;
        bool dataReady;
        bool waitForSync;
    };
    struct HourState {
        int hour;
        bool parityError;
        bool error;
    };
    struct MinuteState {
        int minute;
        bool summerTime;
    };

    std::optional<int> total; // successful synchronisations
    std::optional<QByteArray> year; // two characters within the century, as sent
    std::optional<int> month;
    std::optional<DayState> day;
    std::optional<int> weekday; // from the month byte, so present with the day
    std::optional<HourState> hour;
    std::optional<MinuteState> minute;
    std::optional<int> lastHour; // successful synchronisations in the last hour
};
Dcf77StateRecord DecodeDcf77State(const QByteArray& line);

// One byte of the clock's memory ("E", "F"). Only the hourly statistics
// are of interest: for any other address the data field is not read.
struct MemoryReadRecord {
    static constexpr int kFirstStatistics = 0xA0E0; // hour 0
    static constexpr int kLastStatistics = 0xA0F7; // hour 23

    std::optional<int> address;
    std::optional<int> data; // only for the statistics addresses

    // The hour of day a statistics address stands for.
    std::optional<int> Hour() const;
};
MemoryReadRecord DecodeMemoryRead(const QByteArray& line);
