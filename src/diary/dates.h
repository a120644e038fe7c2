#pragma once
// Calendar helpers of the diary: month lengths, German month names, leap years.

#include <QString>

namespace luftikon {

// A day or month number with two digits, as the diary writes dates: 5 -> "05".
QString twoDigits(int number);

// Divisible by 4 and not by 4000, and not by 100 unless by 400.
bool isLeapYear(int year);

// Days of `month` (1..12) in `year`; 0 for a month number outside 1..12.
int daysInMonthOf(int month, int year);

// "Januar" … "Dezember" for 1..12; any other number gives an empty text.
QString germanMonthName(int month);
// "März 2024"; empty for a month number outside 1..12.
QString germanMonthAndYear(int month, int year);

// Keeps the last two digits of `year` and places them in the window 1950..2049
// (1999 -> 1999, 2100 -> 2000, 24 -> 2024, 75 -> 1975).
int windowedYear(int year);

// The month length the next-slot rule uses: the year goes through windowedYear first.
int daysInMonthWindowed(int month, int year);

} // namespace luftikon
