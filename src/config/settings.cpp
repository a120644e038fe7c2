#include "config/settings.h"

#include <algorithm>

namespace luftikon {

namespace {

// Decimal digits with an optional sign and outer blanks; a hand-edited file may hold anything.
std::optional<int> wholeNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    const qsizetype digitsFrom = trimmed.startsWith(u'-') || trimmed.startsWith(u'+') ? 1 : 0;
    if (trimmed.size() == digitsFrom)
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < trimmed.size(); ++i) {
        if (trimmed.at(i) < u'0' || trimmed.at(i) > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const int number = trimmed.toInt(&ok, 10);
    return ok ? std::optional<int>(number) : std::nullopt;
}

} // namespace

Settings::Settings(const QHash<QString, QString>& stored)
{
    QHash<QString, QString> firstRun;
    for (const ConfigDefault& value : ConfigStore::firstRunDefaults(QString(), QString()))
        firstRun.insert(value.name, value.value);
    const auto text = [&](const char* name) { return stored.value(QLatin1String(name)); };
    const auto orFirstRun = [&](const char* name) {
        const QString value = text(name);
        return value.isEmpty() ? firstRun.value(QLatin1String(name)) : value;
    };
    // A flag that is missing, empty or no number is as the first run set it up.
    const auto flag = [&](const char* name) {
        const std::optional<int> number = wholeNumber(text(name));
        return number ? *number != 0 : firstRun.value(QLatin1String(name)) != QStringLiteral("0");
    };

    userName_ = text("BenutzerName");
    lastDiaryFile_ = text("TabellenDateiName");
    lastEntryLine_ = text("LetzteEingabe");
    installFolder_ = text("InstallOrt");
    dataFolder_ = text("DatenSpeicherOrt");
    headerPicture_ = text("Header");
    fourSlotTemplate_ = text("Grafik4");
    eightSlotTemplate_ = text("Grafik8");
    for (const SlotTimeValue& time : fourSlotTimeValues)
        fourSlotTimes_ << text(time.name);
    for (const SlotTimeValue& time : eightSlotTimeValues)
        eightSlotTimes_ << text(time.name);
    penWidthText_ = text("StiftBreite");

    galleryFolderName_ = orFirstRun("GalerieVerzeichnisName");
    htmlFolderName_ = orFirstRun("HtmlVerzeichnisName");
    paperFormat_ = orFirstRun("Grafikformat");

    curveColorText_ = text("KurvenFarbe");
    if (const auto number = wholeNumber(curveColorText_))
        curveColor_ = static_cast<ColorRef>(*number);
    aboveCurveColorText_ = text("DatenwerteOberhalbFarbe");
    if (const auto number = wholeNumber(aboveCurveColorText_); number && *number >= 0)
        aboveCurveColor_ = static_cast<ColorRef>(*number);
    zoneIntensityText_ = text("HintergrundFarbIntensitaet");
    if (const auto number = wholeNumber(zoneIntensityText_))
        zoneIntensity_ = std::clamp(*number, 0, 8);

    showPin_ = flag("StecknadelAnzeigen");
    // Unset, the line breaks at zero: the box shows it checked and the export draws it so.
    breakLineAtZero_ = flag("LinieBeiNullUnterbrechen");
    showValuesAboveCurve_ = flag("WerteOberhalbKurveAnzeigen");

    for (const QString& window : ConfigStore::keptWindowNames()) {
        const auto width = wholeNumber(stored.value(window + QStringLiteral("Breite")));
        const auto height = wholeNumber(stored.value(window + QStringLiteral("Hoehe")));
        if (width && height && *width > 0 && *height > 0)
            windowSizes_.insert(window, QSize(*width, *height));
    }
}

std::optional<QSize> Settings::windowSize(const QString& window) const
{
    const auto found = windowSizes_.constFind(window);
    return found == windowSizes_.cend() ? std::nullopt : std::optional<QSize>(*found);
}

void Settings::setWindowSize(const QString& window, QSize size)
{
    if (windowSizes_.value(window) == size)
        return;
    windowSizes_.insert(window, size);
    if (store_) {
        store_->setInteger(window + QStringLiteral("Breite"), QString::number(size.width()));
        store_->setInteger(window + QStringLiteral("Hoehe"), QString::number(size.height()));
    }
}

Settings Settings::load(ConfigStore& store)
{
    Settings settings(store.readAll());
    settings.store_ = &store;
    return settings;
}

void Settings::store(const char* name, QString& field, const QString& text)
{
    field = text;
    if (store_)
        store_->setText(QLatin1String(name), text);
}

void Settings::storeFlag(const char* name, bool& field, bool on)
{
    field = on;
    if (store_)
        store_->setInteger(QLatin1String(name), on ? QStringLiteral("1") : QStringLiteral("0"));
}

void Settings::setUserName(const QString& name)
{
    store("BenutzerName", userName_, name);
}

void Settings::setLastDiaryFile(const QString& path)
{
    store("TabellenDateiName", lastDiaryFile_, path);
}

void Settings::setLastEntryLine(const QString& line)
{
    store("LetzteEingabe", lastEntryLine_, line);
}

void Settings::setPaperFormat(const QString& format)
{
    store("Grafikformat", paperFormat_, format);
}

void Settings::setCurveColor(ColorRef color)
{
    curveColor_ = color;
    store("KurvenFarbe", curveColorText_, QString::number(color));
}

void Settings::setAboveCurveColor(ColorRef color)
{
    aboveCurveColor_ = color;
    store("DatenwerteOberhalbFarbe", aboveCurveColorText_, QString::number(color));
}

void Settings::setZoneIntensity(int intensity)
{
    zoneIntensity_ = intensity;
    store("HintergrundFarbIntensitaet", zoneIntensityText_, QString::number(intensity));
}

void Settings::setBreakLineAtZero(bool on)
{
    storeFlag("LinieBeiNullUnterbrechen", breakLineAtZero_, on);
}

void Settings::setShowValuesAboveCurve(bool on)
{
    storeFlag("WerteOberhalbKurveAnzeigen", showValuesAboveCurve_, on);
}

} // namespace luftikon
