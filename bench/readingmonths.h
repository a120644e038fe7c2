#pragma once
// Months of readings for the benchmarks: a reading in each chosen slot of every day, the values
// wandering through all three zones.

#include "diary/diarywriter.h"
#include "diary/entryline.h"
#include "diary/slots.h"

#include <QList>
#include <QStringList>

namespace luftikon::bench {

inline const QList<int> everySlot{1, 2, 3, 4, 5, 6, 7, 8};

// The entry lines of `month` of `year`, days 1 to `days`, a reading in each of `slotNumbers`, in day and slot order.
inline QStringList readingLines(int month, int year, int days = 31, const QList<int>& slotNumbers = everySlot)
{
    QStringList lines;
    for (int day = 1; day <= days; ++day)
        for (const int slot : slotNumbers)
            lines << composeReadingLine(slotInfo(slot)->entryPrefix, day, QString::number(month), year,
                                        QStringLiteral("08:00"), 150 + (day * 37 + slot * 53 + month) % 500);
    return lines;
}

// The whole eight-slot diary of that month for `user`, header first, as the program writes it.
inline QStringList eightSlotDiary(const QString& user, int month, int year, int green = 500, int red = 200)
{
    DiaryHeader header;
    header.userName = user;
    header.listMonth = QString::number(month);
    header.listYear = QString::number(year);
    header.slotMode = SlotMode::Eight;
    header.greenLimit = green;
    header.redLimit = red;
    return composeDiaryLines(header, readingLines(month, year));
}

} // namespace luftikon::bench
