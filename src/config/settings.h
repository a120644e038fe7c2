#pragma once
// The per-user settings as the program uses them: the file is read once at start and each value
// is taken apart by its one rule here; each setter keeps the value and stores it in the file.

#include "config/colorref.h"
#include "config/configstore.h"

#include <QHash>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace luftikon {

class Settings {
public:
    // `stored`: the readable values by name, as ConfigStore::readAll gives them; without any, every
    // value is missing as before the first run. Setters of such settings store nothing.
    explicit Settings(const QHash<QString, QString>& stored = {});
    // One reading of the file; the setters write to it from then on.
    static Settings load(ConfigStore& store);

    // As stored; empty when missing.
    const QString& userName() const { return userName_; }
    const QString& lastDiaryFile() const { return lastDiaryFile_; }
    const QString& lastEntryLine() const { return lastEntryLine_; }
    const QString& installFolder() const { return installFolder_; }
    const QString& dataFolder() const { return dataFolder_; }
    const QString& headerPicture() const { return headerPicture_; }
    const QString& fourSlotTemplate() const { return fourSlotTemplate_; }
    const QString& eightSlotTemplate() const { return eightSlotTemplate_; }
    // One time per slot of the layout, in the order of the day.
    const QStringList& fourSlotTimes() const { return fourSlotTimes_; }
    const QStringList& eightSlotTimes() const { return eightSlotTimes_; }
    // The drawing checks the pen width where it draws, and quotes the text when it is no width.
    const QString& penWidthText() const { return penWidthText_; }

    // Empty or missing: the first-run value.
    const QString& galleryFolderName() const { return galleryFolderName_; }
    const QString& htmlFolderName() const { return htmlFolderName_; }
    const QString& paperFormat() const { return paperFormat_; }

    // Nothing when missing, empty or no number; the text as stored tells the last two apart.
    std::optional<ColorRef> curveColor() const { return curveColor_; } // any whole number
    const QString& curveColorText() const { return curveColorText_; }
    std::optional<ColorRef> aboveCurveColor() const { return aboveCurveColor_; } // not below 0
    const QString& aboveCurveColorText() const { return aboveCurveColorText_; }
    std::optional<int> zoneIntensity() const { return zoneIntensity_; } // held within the slider's 0..8
    const QString& zoneIntensityText() const { return zoneIntensityText_; }

    // The check boxes. A whole number is on unless it is 0; missing, empty or no number gives
    // the first-run value (on), so a box nobody touched behaves as the first run set it up.
    bool showPin() const { return showPin_; }
    bool breakLineAtZero() const { return breakLineAtZero_; }
    bool showValuesAboveCurve() const { return showValuesAboveCurve_; }
    // The size a window of ConfigStore::keptWindowNames() was last left at; nothing when missing
    // or no size.
    std::optional<QSize> windowSize(const QString& window) const;

    void setUserName(const QString& name);
    void setLastDiaryFile(const QString& path);
    void setLastEntryLine(const QString& line);
    void setPaperFormat(const QString& format);
    void setCurveColor(ColorRef color);
    void setAboveCurveColor(ColorRef color);
    void setZoneIntensity(int intensity);
    void setBreakLineAtZero(bool on);
    void setShowValuesAboveCurve(bool on);
    void setWindowSize(const QString& window, QSize size);

private:
    void store(const char* name, QString& field, const QString& text);
    void storeFlag(const char* name, bool& field, bool on);

    ConfigStore* store_ = nullptr;
    QString userName_;
    QString lastDiaryFile_;
    QString lastEntryLine_;
    QString installFolder_;
    QString dataFolder_;
    QString headerPicture_;
    QString fourSlotTemplate_;
    QString eightSlotTemplate_;
    QStringList fourSlotTimes_;
    QStringList eightSlotTimes_;
    QString penWidthText_;
    QString galleryFolderName_;
    QString htmlFolderName_;
    QString paperFormat_;
    std::optional<ColorRef> curveColor_;
    QString curveColorText_;
    std::optional<ColorRef> aboveCurveColor_;
    QString aboveCurveColorText_;
    std::optional<int> zoneIntensity_;
    QString zoneIntensityText_;
    bool showPin_ = true;
    bool breakLineAtZero_ = true;
    bool showValuesAboveCurve_ = true;
    QHash<QString, QSize> windowSizes_;
};

} // namespace luftikon
