// The draw schedule, the day arithmetic behind it and the reproducible digits.
#include "feed_draws.h"

#include <algorithm>
#include <cstdio>

namespace feed {

namespace {

constexpr int firstMorningMinute = 5;         // 00:05, draw 001
constexpr int lastMorningSerial = 23;         // 01:55
constexpr int dayStartMinute = 10 * 60;       // 10:00, draw 024
constexpr int firstDaySerial = 24;
constexpr int nightStartMinute = 22 * 60 + 5; // 22:05, draw 097
constexpr int firstNightSerial = 97;

// Rounds towards minus infinity, so that stepping back from 001 lands on the day before.
long long floorDiv(long long a, long long b) {
    const long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days since 1970-01-01 and back: the civil-calendar algorithms of H. Hinnant,
// which count in 400-year eras starting on 1 March so that leap days fall last.
long long daysFromCivil(const Date& date) {
    const long long year = date.year - (date.month <= 2 ? 1 : 0);
    const long long era = floorDiv(year, 400);
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

Date civilFromDays(long long days) {
    days += 719468;
    const long long era = floorDiv(days, 146097);
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

// Minutes after the draw day's midnight; draw 120 gives 1440.
int drawMinute(int serial) {
    if (serial <= lastMorningSerial) return firstMorningMinute * serial;
    if (serial < firstNightSerial) return dayStartMinute + 10 * (serial - firstDaySerial);
    return nightStartMinute + 5 * (serial - firstNightSerial);
}

std::uint64_t splitmix64(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::string formatted(const char* format, int a, int b, int c, int d) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

}  // namespace

Date dayAfter(const Date& date, long long days) { return civilFromDays(daysFromCivil(date) + days); }

DrawNumber scheduledDraw(int month, int day, int minuteOfDay) {
    const Date date{2010, month, std::min(day, daysInMonth(2010, month))};
    if (minuteOfDay < firstMorningMinute) return {dayAfter(date, -1), drawsPerDay};
    if (minuteOfDay < dayStartMinute)
        return {date, std::min(lastMorningSerial, minuteOfDay / firstMorningMinute)};
    if (minuteOfDay < nightStartMinute)
        return {date, firstDaySerial + (minuteOfDay - dayStartMinute) / 10};
    return {date, firstNightSerial + (minuteOfDay - nightStartMinute) / 5};
}

DrawNumber stepDraws(DrawNumber from, long long count) {
    const long long index = from.serial - 1 + count;
    const long long days = floorDiv(index, drawsPerDay);
    return {dayAfter(from.date, days), static_cast<int>(index - days * drawsPerDay) + 1};
}

DrawNumber countedDraw(DrawNumber first, int drawSeconds, std::time_t start, std::time_t now) {
    return stepDraws(first, floorDiv(static_cast<long long>(now) - start, drawSeconds));
}

DrawNumber currentDraw(int drawSeconds, std::time_t start, std::time_t now) {
    const auto scheduled = [](std::time_t at) {
        std::tm local{};
        localtime_r(&at, &local);
        return scheduledDraw(local.tm_mon + 1, local.tm_mday, local.tm_hour * 60 + local.tm_min);
    };
    if (drawSeconds <= 0) return scheduled(now);
    return countedDraw(scheduled(start), drawSeconds, start, now);
}

std::string issueText(const DrawNumber& draw) {
    return formatted("%04d%02d%02d%03d", draw.date.year, draw.date.month, draw.date.day, draw.serial);
}

std::string shortIssueText(const DrawNumber& draw) {
    return formatted("%02d%02d%02d%03d", draw.date.year % 100, draw.date.month, draw.date.day, draw.serial);
}

std::string hyphenIssueText(const DrawNumber& draw) {
    return formatted("%04d%02d%02d-%03d", draw.date.year, draw.date.month, draw.date.day, draw.serial);
}

std::string drawTimeText(const DrawNumber& draw) {
    const int minute = drawMinute(draw.serial);
    const Date date = dayAfter(draw.date, minute / 1440);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:00", date.year, date.month, date.day,
                  minute % 1440 / 60, minute % 60);
    return text;
}

std::string drawDigits(const DrawNumber& draw, std::uint64_t seed) {
    const std::uint64_t day = static_cast<std::uint64_t>(draw.date.year * 10000 + draw.date.month * 100 + draw.date.day);
    const std::uint64_t key = day * 1000 + static_cast<std::uint64_t>(draw.serial);
    std::uint64_t mixed = splitmix64(seed ^ splitmix64(key));
    std::string digits(5, '0');
    for (char& digit : digits) {
        digit = static_cast<char>('0' + mixed % 10);
        mixed /= 10;
    }
    return digits;
}

std::vector<Draw> lastDraws(const DrawNumber& newest, std::uint64_t seed, int count) {
    std::vector<Draw> draws;
    draws.reserve(static_cast<std::size_t>(count));
    for (int back = count - 1; back >= 0; --back) {
        const DrawNumber number = stepDraws(newest, -back);
        draws.push_back({number, drawDigits(number, seed)});
    }
    return draws;
}

}  // namespace feed
