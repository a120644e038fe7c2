#include "config/configstore.h"

#include "files/safefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QVariant>
#include <algorithm>
#include <optional>

namespace luftikon {

namespace {

// QSettings keeps each parsed file in memory and reads it again only when its size or its
// modification time, in whole milliseconds, has changed. A write of equal length within the same
// millisecond would leave the old values in that copy, so such a file is dated a millisecond later.
WriteResult writeSettingsFile(const QString& path, const QByteArray& bytes)
{
    const QFileInfo before(path);
    const bool existed = before.exists();
    const qint64 oldSize = before.size();
    const QDateTime oldTime = before.lastModified();
    const WriteResult written = writeFileSafely(path, bytes);
    if (!written.ok || !existed)
        return written;
    const QFileInfo after(path);
    if (after.size() == oldSize && after.lastModified() == oldTime) {
        QFile file(path);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(oldTime.addMSecs(1), QFileDevice::FileModificationTime);
    }
    return written;
}

const QString textGroup = QStringLiteral("Text");
const QString integerGroup = QStringLiteral("Integer");

// A hand-edited file may hold lists or special values; only plain text counts as text.
// Qt hands back a number written in this process as the number itself.
std::optional<QString> variantText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return value.toString();
    case QMetaType::QStringList:
        return value.toStringList().join(QLatin1Char(','));
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return std::nullopt;
    }
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Quoted so commas, semicolons and outer spaces stay text. A hex escape would swallow a
// following hex digit, so such a digit is escaped as well.
QByteArray quotedIniText(const QString& value)
{
    const QString text = value.startsWith(u'@') ? QLatin1Char('@') + value : value;
    QString out = QStringLiteral("\"");
    bool afterHexEscape = false;
    for (const QChar c : text) {
        if (afterHexEscape && isHexDigit(c)) {
            out += QStringLiteral("\\x") + QString::number(c.unicode(), 16);
            continue;
        }
        afterHexEscape = false;
        if (c == u'"' || c == u'\\') {
            out += u'\\';
            out += c;
        }
        else if (c == u'\n') {
            out += QStringLiteral("\\n");
        }
        else if (c == u'\r') {
            out += QStringLiteral("\\r");
        }
        else if (c == u'\t') {
            out += QStringLiteral("\\t");
        }
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            out += QStringLiteral("\\x") + QString::number(c.unicode(), 16);
            afterHexEscape = true;
        }
        else {
            out += c;
        }
    }
    out += u'"';
    return out.toUtf8();
}

} // namespace

ConfigStore::ConfigStore(QString path, Notify notify) : path_(std::move(path)), notify_(std::move(notify)) {}

QString ConfigStore::defaultPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Quendel/Luftikon.conf");
}

bool ConfigStore::exists() const
{
    return QFileInfo(path_).isFile();
}

void ConfigStore::report(const QString& text) const
{
    if (notify_)
        notify_(MessageKind::Error, text);
}

ConfigStore::Stored ConfigStore::storedValue(const QSettings& settings, const QString& name, Kind kind) const
{
    const QString own = (kind == Kind::Text ? textGroup : integerGroup) + u'/' + name;
    const QString other = (kind == Kind::Text ? integerGroup : textGroup) + u'/' + name;
    if (!settings.contains(own)) {
        if (!settings.contains(other))
            return {};
        return {std::nullopt,
                kind == Kind::Text
                    ? QStringLiteral("Die Einstellung \"%1\" in %2 ist als Zahl gespeichert und kann nicht als "
                                     "Text gelesen werden.")
                          .arg(name, path_)
                    : QStringLiteral("Die Einstellung \"%1\" in %2 ist als Text gespeichert und kann nicht als "
                                     "Zahl gelesen werden.")
                          .arg(name, path_)};
    }
    const std::optional<QString> text = variantText(settings.value(own));
    if (!text)
        return {std::nullopt,
                QStringLiteral("Die Einstellung \"%1\" in %2 hat eine unbekannte Form und kann nicht gelesen werden.")
                    .arg(name, path_)};
    if (kind == Kind::Text)
        return {text, QString()};
    bool ok = false;
    const int number = text->trimmed().toInt(&ok, 10);
    if (!ok)
        return {
            std::nullopt,
            QStringLiteral("Die Einstellung \"%1\" in %2 ist keine ganze 32-Bit-Zahl: \"%3\"").arg(name, path_, *text)};
    return {QString::number(number), QString()};
}

QString ConfigStore::readValue(const QString& name, Kind kind) const
{
    if (!exists())
        return QString();
    const QSettings settings(path_, QSettings::IniFormat);
    const Stored stored = storedValue(settings, name, kind);
    if (!stored.problem.isEmpty() && !silenced_.contains(name))
        report(stored.problem);
    return stored.text.value_or(QString());
}

QHash<QString, QString> ConfigStore::readAll() const
{
    QHash<QString, QString> values;
    if (!exists())
        return values;
    const QSettings settings(path_, QSettings::IniFormat);
    QList<ConfigDefault> names = firstRunDefaults(QString(), QString());
    for (const QString& window : keptWindowNames()) {
        for (const char* side : {"Breite", "Hoehe"})
            names << ConfigDefault{window + QLatin1String(side), QString(), true};
    }
    for (const ConfigDefault& value : names) {
        const Stored stored = storedValue(settings, value.name, value.integer ? Kind::Integer : Kind::Text);
        if (stored.text)
            values.insert(value.name, *stored.text);
        else if (!stored.problem.isEmpty() && !silenced_.contains(value.name))
            report(stored.problem);
    }
    return values;
}

QString ConfigStore::text(const QString& name) const
{
    return readValue(name, Kind::Text);
}

QString ConfigStore::integerText(const QString& name) const
{
    return readValue(name, Kind::Integer);
}

QList<ConfigDefault> ConfigStore::storedValuesWith(const ConfigDefault& changed) const
{
    // Every readable value the file holds, in the order of the first run, the changed one in its
    // place and only in its own group: a value keeps one type.
    const QSettings settings(path_, QSettings::IniFormat);
    QStringList names = valueNames();
    // Letters, digits and "_" of ASCII only.
    const auto plainName = [](const QString& name) {
        return !name.isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) {
            return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
        });
    };
    // Values of other names are kept too, where their name can be written back as it stands.
    for (const QString& key : settings.allKeys()) {
        const QString name = key.section(u'/', 1);
        if (!names.contains(name) && plainName(name))
            names << name;
    }
    if (!names.contains(changed.name))
        names << changed.name;
    QList<ConfigDefault> values;
    for (const QString& name : names) {
        if (name == changed.name) {
            values << changed;
            continue;
        }
        for (const QString& group : {textGroup, integerGroup}) {
            const QString key = group + u'/' + name;
            if (!settings.contains(key))
                continue;
            if (const auto text = variantText(settings.value(key)))
                values << ConfigDefault{name, *text, group == integerGroup};
        }
    }
    return values;
}

void ConfigStore::writeValue(const QString& name, Kind kind, const QString& text)
{
    if (!exists())
        return;
    {
        // Many callers store what is already there (each save stores the user name); the file is
        // rewritten and synced only for a change.
        const QSettings settings(path_, QSettings::IniFormat);
        if (storedValue(settings, name, kind).text == text)
            return;
    }
    // The whole file goes through the same safe writer as the diaries: a full disk or a crash
    // leaves the old settings whole, and the user hears why a value was not stored.
    const WriteResult written =
        writeSettingsFile(path_, composeFile(storedValuesWith({name, text, kind == Kind::Integer})));
    if (!written.ok)
        report(QStringLiteral("Die Einstellung \"%1\" wurde nicht gespeichert. ").arg(name) + written.error);
}

void ConfigStore::setText(const QString& name, const QString& text)
{
    writeValue(name, Kind::Text, text);
}

void ConfigStore::setInteger(const QString& name, const QString& text)
{
    if (!exists())
        return;
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    if (!ok) {
        report(QStringLiteral("\"%1\" ist keine ganze 32-Bit-Zahl; die Einstellung \"%2\" wurde nicht gespeichert.")
                   .arg(text, name));
        return;
    }
    writeValue(name, Kind::Integer, QString::number(number));
}

QList<ConfigDefault> ConfigStore::firstRunDefaults(const QString& startFolder, const QString& resourceFolder)
{
    const auto text = [](const char* name, const QString& value) {
        return ConfigDefault{QString::fromLatin1(name), value, false};
    };
    const auto integer = [](const char* name, const char* value) {
        return ConfigDefault{QString::fromLatin1(name), QString::fromLatin1(value), true};
    };
    QList<ConfigDefault> values{
        text("InstallOrt", startFolder),
        text("DatenSpeicherOrt", startFolder),
        text("GalerieVerzeichnisName", QStringLiteral("Luftikon-Daten-Galerie")),
        text("HtmlVerzeichnisName", QStringLiteral("Luftikon-Daten im Browser")),
        text("BenutzerName", QString()),
        text("TabellenDateiName", QString()),
        text("Header", resourceFolder + QStringLiteral("Header.bmp")),
        text("Grafik4", resourceFolder + QStringLiteral("Vorlag4M.bmp")),
        text("Grafik8", resourceFolder + QStringLiteral("Vorlag8M.bmp")),
        text("Grafikformat", QStringLiteral("DINA4")),
    };
    for (const SlotTimeValue& time : fourSlotTimeValues)
        values << text(time.name, QString::fromLatin1(time.firstRun));
    for (const SlotTimeValue& time : eightSlotTimeValues)
        values << text(time.name, QString::fromLatin1(time.firstRun));
    values << QList<ConfigDefault>{
        text("StiftBreite", QStringLiteral("2")),
        text("HintergrundFarbIntensitaet", QStringLiteral("8")),
        text("StecknadelAnzeigen", QStringLiteral("1")),
        text("KurvenFarbe", QStringLiteral("10485760")),
        text("LetzteEingabe", QString()),
        integer("LinieBeiNullUnterbrechen", "1"),
        integer("WerteOberhalbKurveAnzeigen", "1"),
        text("DatenwerteOberhalbFarbe", QStringLiteral("128")),
    };
    return values;
}

QStringList ConfigStore::valueNames()
{
    QStringList names;
    for (const ConfigDefault& value : firstRunDefaults(QString(), QString()))
        names << value.name;
    for (const QString& window : keptWindowNames())
        names << window + QStringLiteral("Breite") << window + QStringLiteral("Hoehe");
    return names;
}

const QStringList& ConfigStore::keptWindowNames()
{
    // The windows that can be resized; the fixed dialogs keep their design size.
    static const QStringList names{QStringLiteral("Fenster"),         QStringLiteral("Tabelle4Fenster"),
                                   QStringLiteral("Tabelle8Fenster"), QStringLiteral("VorschauFenster"),
                                   QStringLiteral("VerlaufFenster"),  QStringLiteral("ImportFenster"),
                                   QStringLiteral("VersionenFenster")};
    return names;
}

QByteArray ConfigStore::composeFile(const QList<ConfigDefault>& values)
{
    QByteArray texts;
    QByteArray integers;
    for (const ConfigDefault& value : values) {
        QByteArray& group = value.integer ? integers : texts;
        group += value.name.toUtf8() + '=' + (value.integer ? value.value.toUtf8() : quotedIniText(value.value)) + '\n';
    }
    QByteArray file;
    if (!texts.isEmpty())
        file += "[Text]\n" + texts;
    if (!integers.isEmpty())
        file += (file.isEmpty() ? "" : "\n") + QByteArray("[Integer]\n") + integers;
    return file;
}

QList<ConfigDefault> ConfigStore::keptOrDefault(const QString& startFolder, const QString& resourceFolder,
                                                QStringList* unreadable) const
{
    QList<ConfigDefault> values = firstRunDefaults(startFolder, resourceFolder);
    if (!exists())
        return values;
    const QSettings settings(path_, QSettings::IniFormat);
    for (ConfigDefault& value : values) {
        const Stored stored = storedValue(settings, value.name, value.integer ? Kind::Integer : Kind::Text);
        if (stored.text)
            value.value = *stored.text;
        else if (unreadable)
            *unreadable << value.name;
    }
    return values;
}

bool ConfigStore::writeWhole(const QList<ConfigDefault>& values, QString* error)
{
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("Die Einstellungsdatei %1 konnte nicht angelegt werden.").arg(path_);
        return false;
    }
    const WriteResult written = writeSettingsFile(path_, composeFile(values));
    if (!written.ok) {
        *error = written.error;
        return false;
    }
    return true;
}

bool ConfigStore::writeFirstRunDefaults(const QString& startFolder, const QString& resourceFolder)
{
    // A half-set-up file keeps what it holds: a user name or data folder typed in before stays.
    QString error;
    if (!writeWhole(keptOrDefault(startFolder, resourceFolder, nullptr), &error)) {
        report(error);
        return false;
    }
    return true;
}

void ConfigStore::fillEmptyFolders(const QString& startFolder)
{
    if (!exists())
        return;
    for (const QString& name : {QStringLiteral("InstallOrt"), QStringLiteral("DatenSpeicherOrt")}) {
        bool empty = false;
        {
            const QSettings settings(path_, QSettings::IniFormat);
            empty = storedValue(settings, name, Kind::Text).text == QString();
        }
        if (empty)
            writeValue(name, Kind::Text, startFolder);
    }
}

SettingsRepair ConfigStore::repairAtStart(const QString& startFolder, const QString& resourceFolder)
{
    SettingsRepair repair;
    if (!exists())
        return repair;
    QSettings::Status status = QSettings::NoError;
    {
        const QSettings settings(path_, QSettings::IniFormat);
        status = settings.status();
    }
    const QList<ConfigDefault> values = keptOrDefault(startFolder, resourceFolder, &repair.unreadable);
    // Without "InstallOrt" the program is not set up yet: the first run fills in the rest.
    if (status == QSettings::NoError &&
        (repair.unreadable.isEmpty() || repair.unreadable.contains(QStringLiteral("InstallOrt"))))
        return SettingsRepair{};

    repair.keptCopy = path_ + QStringLiteral(".beschaedigt");
    for (int n = 2; QFileInfo::exists(repair.keptCopy); ++n)
        repair.keptCopy = path_ + QStringLiteral(".beschaedigt-%1").arg(n);
    const bool copied = copyFileSafely(path_, repair.keptCopy).ok;
    QString error;
    const bool written = copied && writeWhole(values, &error);

    repair.message = QStringLiteral("Die Einstellungsdatei %1 ist beschädigt.").arg(path_);
    if (!repair.unreadable.isEmpty())
        repair.message +=
            QStringLiteral(" Nicht gelesen werden konnten: %1.").arg(repair.unreadable.join(QStringLiteral(", ")));
    if (written) {
        repair.message += QStringLiteral(" Diese Einstellungen haben wieder ihren Anfangswert; alle anderen bleiben "
                                         "erhalten. Die beschädigte Datei wurde als %1 aufbewahrt.")
                              .arg(repair.keptCopy);
        return repair;
    }
    repair.keptCopy.clear();
    repair.message += copied ? QStringLiteral(" ") + error
                             : QStringLiteral(" Von der Datei konnte keine Sicherheitskopie angelegt werden.");
    repair.message += QStringLiteral(" Die Datei bleibt unverändert; Luftikon arbeitet ohne diese Einstellungen.");
    silenced_ = repair.unreadable;
    return repair;
}

bool ConfigStore::deleteAll()
{
    if (!QFileInfo::exists(path_))
        return true;
    if (!QFile::remove(path_)) {
        report(QStringLiteral("Die Einstellungsdatei %1 konnte nicht gelöscht werden.").arg(path_));
        return false;
    }
    return true;
}

} // namespace luftikon
