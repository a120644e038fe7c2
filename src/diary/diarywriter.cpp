#include "diary/diarywriter.h"

#include "diary/dates.h"
#include "diary/diaryfile.h"
#include "diary/entryline.h"
#include "diary/iniheader.h"
#include "diary/textfile.h"

#include <QDir>
#include <QFileInfo>

namespace luftikon {

namespace {

const std::array<const char*, 4> marginKeys = {"DruckenTabellenRandLeft", "DruckenTabellenRandRight",
                                               "DruckenTabellenRandTop", "DruckenTabellenRandBottom"};
const std::array<const char*, 4> marginDefaults = {"10", "5", "10", "10"};

bool hasControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

// A text that becomes one path component must not leave its folder.
bool unsafeComponent(const QString& text)
{
    return text.contains(QLatin1Char('/')) || hasControlCharacter(text) || text == QLatin1String(".") ||
           text == QLatin1String("..");
}

void say(const Notify& notify, MessageKind kind, const QString& text)
{
    if (notify)
        notify(kind, text);
}

void makeYearFolder(const QString& folder, const QString& year, const QString& label, const Notify& notify)
{
    if (QDir(folder + year).exists() || QDir().mkpath(folder + year))
        return;
    say(notify, MessageKind::Plain,
        label + QLatin1Char('"') + year + QStringLiteral("\" konnte nicht erstellt werden! "));
}

// The limit of `key` in the old file; a text that is no whole number leaves the limit in
// force, and the user learns which value of which file was wrong.
int limitFromFile(const QStringList& lines, const QString& key, int defaultValue, int inForce, const QString& path,
                  const Notify& notify)
{
    if (const auto number = storedLimit(lines, key, defaultValue))
        return *number;
    say(notify, MessageKind::Warning,
        QStringLiteral("In der Datei \"%1\" ist der Wert \"%2\" von \"%3\" keine ganze Zahl. Es gilt weiter %4.")
            .arg(path, readHeaderValue(lines, key, QString()), key, QString::number(inForce)));
    return inForce;
}

// True when the file at `path` is named after that month and year (either form of the month).
bool namesMonth(const QString& path, const QString& month, const QString& year)
{
    if (path.isEmpty())
        return false;
    const MonthTexts named = monthTextsOfName(path);
    const auto number = [](const QString& text) { return parseWholeNumber(trimBlanks(text)); };
    return !named.month.isEmpty() && number(named.month) == number(month) && number(named.year) == number(year);
}

} // namespace

QString diaryFilePath(const QString& galleryFolder, const QString& year, const QString& userName, const QString& month)
{
    return galleryFolder + year + QLatin1Char('/') + userName + QLatin1Char('_') + month + QLatin1Char('_') + year +
           QStringLiteral(".tab");
}

QString otherMonthForm(const QString& month)
{
    const auto digit = [](QChar c) { return c >= u'1' && c <= u'9'; };
    if (month.size() == 1 && digit(month[0]))
        return u'0' + month;
    if (month.size() == 2 && month[0] == u'0' && digit(month[1]))
        return month.mid(1);
    return {};
}

QString monthDiaryPath(const QString& galleryFolder, const QString& year, const QString& userName, const QString& month)
{
    const QString given = diaryFilePath(galleryFolder, year, userName, month);
    if (QFileInfo::exists(given))
        return given;
    if (const QString other = otherMonthForm(month); !other.isEmpty()) {
        const QString otherPath = diaryFilePath(galleryFolder, year, userName, other);
        if (QFileInfo::exists(otherPath))
            return otherPath;
    }
    return given;
}

QString savePathOf(const DiarySave& save)
{
    if (namesMonth(save.readFrom, save.listMonth, save.listYear))
        return save.readFrom;
    return monthDiaryPath(save.galleryFolder, save.listYear, save.userName, save.listMonth);
}

QString monthTextForLines(const DiarySave& save)
{
    const QString path = savePathOf(save);
    return QFileInfo::exists(path) ? monthTextsOfName(path).month : save.listMonth;
}

QString monthTwinOf(const QString& path)
{
    const MonthTexts named = monthTextsOfName(path);
    const QString other = otherMonthForm(named.month);
    if (other.isEmpty())
        return {};
    const QString ending = u'_' + named.month + u'_' + named.year + QStringLiteral(".tab");
    const QString twin = path.left(path.size() - ending.size()) + u'_' + other + u'_' + named.year + path.right(4);
    return QFileInfo::exists(twin) ? twin : QString();
}

NameParts splitUserName(const QString& userName)
{
    const qsizetype blank = userName.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {};
    return {userName.left(blank), userName.mid(blank + 1)};
}

QString diaryFileLabel(const QString& userName, const QString& month, const QString& year)
{
    const NameParts parts = splitUserName(userName);
    return parts.first + QLatin1Char(' ') + parts.rest + QLatin1Char(' ') + month + QLatin1Char('_') + year +
           QStringLiteral(".tab");
}

QString diaryNameProblem(const QString& userName, const QString& month, const QString& year)
{
    const QString refused = QStringLiteral(" Die Tabelle wurde nicht gespeichert.");
    if (unsafeComponent(userName))
        return QStringLiteral("Der Benutzername \"%1\" kann nicht Teil eines Dateinamens sein: Er darf kein \"/\" und "
                              "keine Steuerzeichen enthalten und nicht \".\" oder \"..\" lauten.")
                   .arg(userName) +
               refused;
    if (unsafeComponent(month))
        return QStringLiteral("Der Monat \"%1\" kann nicht Teil eines Dateinamens sein.").arg(month) + refused;
    if (unsafeComponent(year))
        return QStringLiteral("Das Jahr \"%1\" kann nicht als Ordnername dienen.").arg(year) + refused;
    return {};
}

QStringList composeDiaryLines(const DiaryHeader& header, const QStringList& entries)
{
    const auto month = parseWholeNumber(trimBlanks(header.listMonth));
    QStringList lines;
    lines.reserve(18 + entries.size());
    lines << QStringLiteral("[Personendaten]") << QStringLiteral("BenutzerName=") + header.userName
          << QStringLiteral("Datum=") + germanMonthName(month.value_or(0)) + QLatin1Char(' ') + header.listYear
          << QString();
    for (std::size_t i = 0; i < marginKeys.size(); ++i)
        lines << QLatin1String(marginKeys[i]) + QLatin1Char('=') + header.margins[i];
    lines << QString() << QString();
    if (header.slotMode == SlotMode::Four)
        lines << QStringLiteral("BisZu4MessungenJeTag=1") << QStringLiteral("BisZu8MessungenJeTag=0");
    else
        lines << QStringLiteral("BisZu8MessungenJeTag=1") << QStringLiteral("BisZu4MessungenJeTag=0");
    lines << QString() << QString();
    lines << GreenLimitKey + QLatin1Char('=') + QString::number(header.greenLimit)
          << RedLimitKey + QLatin1Char('=') + QString::number(header.redLimit);
    lines << QString() << QString();
    lines << entries;
    return lines;
}

bool writeDiaryFile(DiarySave& save, const QString& monthFieldText, const QString& yearFieldText, const Notify& notify)
{
    // A name that would reach outside the year folder writes nothing at all.
    const QString problem = diaryNameProblem(save.userName, save.listMonth, save.listYear);
    if (!problem.isEmpty()) {
        say(notify, MessageKind::Warning, problem);
        return false;
    }
    for (const QString& line : save.entries) {
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r'))) {
            say(notify, MessageKind::Error,
                QStringLiteral("Der Eintrag \"%1\" enthält einen Zeilenumbruch. Die Tabelle wurde nicht gespeichert.")
                    .arg(line));
            return false;
        }
    }

    makeYearFolder(save.galleryFolder, save.listYear, QStringLiteral("Ordner "), notify);
    makeYearFolder(save.htmlFolder, save.listYear, QStringLiteral("HtmlOrdner "), notify);

    const QString path = savePathOf(save);
    // The file name keeps the month of the list; an empty list takes the fields' month for its header.
    if (save.entries.isEmpty()) {
        const QString yearFolder = save.listYear;
        save.listMonth = monthFieldText;
        save.listYear = yearFieldText;
        const bool written = writeDiaryAt(save, path, notify);
        save.diaryYear = yearFolder;
        return written;
    }
    return writeDiaryAt(save, path, notify);
}

bool writeDiaryAt(DiarySave& save, const QString& path, const Notify& notify)
{
    save.path = path;
    save.diaryYear = save.listYear;

    // Margins and limits changed in place since the last save win over the ones in memory.
    QStringList oldLines;
    if (QFileInfo::exists(path)) {
        const ReadResult old = readTextLines(path);
        if (!old.ok) {
            say(notify, MessageKind::Error, old.error + QStringLiteral(" Die Tabelle wurde nicht gespeichert."));
            return false;
        }
        oldLines = old.lines;
    }
    for (std::size_t i = 0; i < marginKeys.size(); ++i)
        save.margins[i] = readHeaderValue(oldLines, QLatin1String(marginKeys[i]), QLatin1String(marginDefaults[i]));
    save.greenLimit = limitFromFile(oldLines, GreenLimitKey, DefaultGreenLimit, save.greenLimit, path, notify);
    save.redLimit = limitFromFile(oldLines, RedLimitKey, DefaultRedLimit, save.redLimit, path, notify);

    const WriteResult written = writeTextLines(path, composeDiaryLines(save, save.entries), Earlier::Kept);
    if (written.ok)
        return true;
    if (written.failure == WriteFailure::Open)
        say(notify, MessageKind::Warning,
            QStringLiteral("Fehler beim Erzeugen der Datei ") +
                diaryFileLabel(save.userName, save.listMonth, save.listYear));
    else
        say(notify, MessageKind::Error, written.error + QStringLiteral(" Die Tabelle wurde nicht gespeichert."));
    return false;
}

} // namespace luftikon
