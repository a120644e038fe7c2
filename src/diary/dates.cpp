#include "diary/dates.h"

#include <array>

namespace luftikon {

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

bool isLeapYear(int year)
{
    return year % 4 == 0 && year % 4000 != 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonthOf(int month, int year)
{
    if (month < 1 || month > 12)
        return 0;
    if (month == 2)
        return isLeapYear(year) ? 29 : 28;
    const bool odd = month % 2 == 1;
    if (month <= 7)
        return odd ? 31 : 30;
    return odd ? 30 : 31;
}

QString germanMonthName(int month)
{
    static const std::array<const char16_t*, 12> names = {
        u"Januar", u"Februar", u"März",      u"April",   u"Mai",      u"Juni",
        u"Juli",   u"August",  u"September", u"Oktober", u"November", u"Dezember",
    };
    if (month < 1 || month > 12)
        return {};
    return QString::fromUtf16(names[static_cast<std::size_t>(month - 1)]);
}

QString germanMonthAndYear(int month, int year)
{
    const QString name = germanMonthName(month);
    return name.isEmpty() ? name : name + u' ' + QString::number(year);
}

int windowedYear(int year)
{
    const int twoDigits = ((year % 100) + 100) % 100;
    return twoDigits >= 50 ? 1900 + twoDigits : 2000 + twoDigits;
}

int daysInMonthWindowed(int month, int year)
{
    return daysInMonthOf(month, windowedYear(year));
}

} // namespace luftikon
