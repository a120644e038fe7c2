// Arbitrary bytes as a CSV file of readings, through the reader and the import rules: nothing may
// crash, every line is a reading, unreadable, empty or the header, each reading is a real date and
// time with a value in range, and every line the import would write reads back as that reading.
#include "diary/entryline.h"
#include "diary/slots.h"
#include "import/csvreadings.h"
#include "import/importplan.h"

#include <cstdlib>

using namespace luftikon;

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void checkWritten(const PlannedReading& planned)
{
    const DiaryEntry entry = parseEntryLine(planned.line);
    check(entry.slot == planned.slot && entry.value == planned.source.value);
    check(entry.dayNumber == planned.source.date.day());
    check(entry.fields.time == planned.source.time);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CsvContent csv = readCsvReadings(bytes);
    check(csv.readings.size() + csv.unreadable.size() + (csv.headerLine > 0 ? 1 : 0) <= csv.lineCount);
    check((csv.kind == CsvContent::Kind::Readings) == !csv.readings.isEmpty());
    int previous = 0;
    for (const CsvReading& reading : csv.readings) {
        check(reading.lineNumber > previous && reading.lineNumber <= csv.lineCount);
        previous = reading.lineNumber;
        check(reading.date.isValid() && reading.minutes >= 0 && reading.minutes <= 24 * 60);
        check(minutesOfDay(reading.time) == reading.minutes && reading.time.size() == 5);
        check(reading.value >= LowestReading && reading.value <= HighestReading);
    }
    for (const CsvProblem& problem : csv.unreadable)
        check(problem.lineNumber > 0 && problem.lineNumber <= csv.lineCount && !problem.reason.isEmpty());

    // A gallery that does not exist: every month is new, nothing is read or written.
    ImportSetup setup;
    setup.galleryFolder = QStringLiteral("/nonexistent-luftikon-gallery/");
    setup.userName = QStringLiteral("Muster");
    setup.layout = size % 2 == 0 ? SlotMode::Four : SlotMode::Eight;
    const ImportPlan plan = planImport(csv, setup);
    int planned = 0;
    for (const MonthPlan& month : plan.months) {
        check(month.alreadyThere.isEmpty() && month.conflicts.isEmpty());
        for (const PlannedReading& reading : month.fresh) {
            check(slotInLayout(reading.slot, month.layout) || reading.source.slot == reading.slot);
            checkWritten(reading);
        }
        planned += int(month.fresh.size() + month.leftOut.size());
    }
    check(planned == csv.readings.size());
    return 0;
}
