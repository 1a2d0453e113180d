// The feed's draws: the daily schedule of 120 draws played on a day of 2010, the
// digits of each draw (reproducible from the --seed value) and their issue texts.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace feed {

inline constexpr int drawsPerDay = 120;
inline constexpr int rowsPerPage = 20;

// A day of the proleptic Gregorian calendar. (The calendar types of <chrono> are
// out of reach: that header holds a "µs" literal GBK cannot encode.)
struct Date {
    int year = 2010;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31

    bool operator==(const Date&) const = default;
};

// The day `days` after `date` (before it when negative).
Date dayAfter(const Date& date, long long days);

// One draw of the schedule: the day it belongs to and its serial, 1 to 120.
struct DrawNumber {
    Date date;
    int serial = 1;

    bool operator==(const DrawNumber&) const = default;
};

struct Draw {
    DrawNumber number;
    std::string digits;  // five bytes, '0' to '9'

    bool operator==(const Draw&) const = default;
};

// The draw on display at minuteOfDay (0 to 1439) of the given month and day of
// 2010: the latest whose time has come. Before 00:05 that is draw 120 of the day
// before. 29 February, which 2010 lacks, plays 28 February.
DrawNumber scheduledDraw(int month, int day, int minuteOfDay);

// The draw `count` serials later (earlier when negative), across days and years.
DrawNumber stepDraws(DrawNumber from, long long count);

// With --draw-seconds: `first` at `start`, one serial more every drawSeconds.
DrawNumber countedDraw(DrawNumber first, int drawSeconds, std::time_t start, std::time_t now);

// The draw on display at `now` by local time: the schedule's, or with
// drawSeconds > 0 the schedule's draw at `start` counted on from there.
DrawNumber currentDraw(int drawSeconds, std::time_t start, std::time_t now);

std::string issueText(const DrawNumber& draw);        // "20100609023"
std::string shortIssueText(const DrawNumber& draw);   // "100609023": two-digit year
std::string hyphenIssueText(const DrawNumber& draw);  // "20100609-023"
// When the draw took place; draw 120 falls on 00:00 of the next day.
std::string drawTimeText(const DrawNumber& draw);     // "2010-06-09 01:55:00"

std::string drawDigits(const DrawNumber& draw, std::uint64_t seed);

// The `count` draws up to and including `newest`, oldest first.
std::vector<Draw> lastDraws(const DrawNumber& newest, std::uint64_t seed, int count = rowsPerPage);

}  // namespace feed
