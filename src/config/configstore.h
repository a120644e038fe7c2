#pragma once
// The per-user settings: one INI file, text values in [Text], 32-bit integers in [Integer].
// The settings exist exactly when the file exists: reads of a missing file give empty text
// and writes are skipped, so deleting the file returns the program to its first run.
// Every call opens the file afresh; the program reads it once at start through Settings.

#include "config/notice.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class QSettings;

namespace luftikon {

// The stored time of each slot of a day layout, in the order of the day, and its first-run value.
struct SlotTimeValue {
    const char* name;
    const char* firstRun;
};
inline constexpr std::array<SlotTimeValue, 4> fourSlotTimeValues{{{"Messung4UhrzeitMorgens", "08:00"},
                                                                  {"Messung4UhrzeitMessung2", "12:00"},
                                                                  {"Messung4UhrzeitMessung3", "16:00"},
                                                                  {"Messung4UhrzeitAbends", "20:00"}}};
inline constexpr std::array<SlotTimeValue, 8> eightSlotTimeValues{{{"Messung8UhrzeitMorgens", "06:00"},
                                                                   {"Messung8UhrzeitMessung2", "08:00"},
                                                                   {"Messung8UhrzeitMessung3", "10:00"},
                                                                   {"Messung8UhrzeitMessung4", "12:00"},
                                                                   {"Messung8UhrzeitMessung5", "14:00"},
                                                                   {"Messung8UhrzeitMessung6", "16:00"},
                                                                   {"Messung8UhrzeitMessung7", "18:00"},
                                                                   {"Messung8UhrzeitAbends", "20:00"}}};

struct ConfigDefault {
    QString name;
    QString value;
    bool integer = false;
};

// What the start found unreadable in the settings file and did about it.
struct SettingsRepair {
    QStringList unreadable; // value names whose stored value could not be read (or was missing)
    QString keptCopy;       // the damaged file, kept beside it
    QString message;        // one German message for the user; empty when the file was sound
};

class ConfigStore {
public:
    // `path` is the settings file; `notify` receives failure reports (kind Error).
    explicit ConfigStore(QString path, Notify notify = {});

    // $XDG_CONFIG_HOME/Quendel/Luftikon.conf, ~/.config when the variable is unset or relative.
    static QString defaultPath();

    const QString& path() const { return path_; }
    void setNotify(Notify notify) { notify_ = std::move(notify); }
    bool exists() const;

    // Empty result when the file or the value is missing. A value stored with the other type,
    // or an integer that is not a 32-bit number, is reported and reads empty.
    QString text(const QString& name) const;
    QString integerText(const QString& name) const; // decimal text

    // Every value of valueNames() in one reading of the file, each as its own type gives it
    // (integers as decimal text); values that are missing or cannot be read are left out and
    // reported as the single reads report them.
    QHash<QString, QString> readAll() const;

    // Written only when the file exists; a write that fails is reported. A value keeps one
    // type: writing it as text removes an integer of the same name, and the other way round.
    void setText(const QString& name, const QString& text);
    // `text` must be a decimal 32-bit integer; anything else is reported and nothing is written.
    void setInteger(const QString& name, const QString& text);

    // First run: creates the file (and its folders) holding every default, replacing what a
    // half-set-up file held. `startFolder` becomes install and data folder; the pictures are
    // named in `resourceFolder`. Both end in "/". False (and reported) when it cannot be written.
    bool writeFirstRunDefaults(const QString& startFolder, const QString& resourceFolder);

    // At start: an install or data folder stored as empty text counts as missing, and each such
    // one alone gets `startFolder` (ending in "/"); nothing else in the file changes. One not
    // stored at all is left to the first-run writer.
    void fillEmptyFolders(const QString& startFolder);

    // At start, before anything is read: a damaged file (lines the reader cannot take apart, a
    // value of the wrong type, a missing group) is kept as a copy beside it and written anew
    // with every value that could be read and the first-run default for the rest. Nothing
    // is reported here; the result holds the one message for the user. Values that could not
    // be read and not be mended read as missing from then on, without further reports.
    SettingsRepair repairAtStart(const QString& startFolder, const QString& resourceFolder);

    // Deletes the file. True when it is gone afterwards; a file that stays is reported.
    bool deleteAll();

    // The first-run values in the order the file lists them.
    static QList<ConfigDefault> firstRunDefaults(const QString& startFolder, const QString& resourceFolder);

    // Every value name the program uses, text and integer.
    static QStringList valueNames();
    // The windows whose size is kept between runs, each as the integers name + "Breite" and
    // name + "Hoehe"; the first run writes none of them.
    static const QStringList& keptWindowNames();

    // The INI file text of `values`: text values under [Text], integers under [Integer],
    // each group in the given order, quoted so the settings reader gives back each text unchanged.
    static QByteArray composeFile(const QList<ConfigDefault>& values);

private:
    enum class Kind { Text, Integer };
    // A value as stored: its text, or why it cannot be read (empty when it is only missing).
    struct Stored {
        std::optional<QString> text;
        QString problem;
    };
    Stored storedValue(const QSettings& settings, const QString& name, Kind kind) const;
    QString readValue(const QString& name, Kind kind) const;
    // The first-run values, each one that can be read from the file kept.
    QList<ConfigDefault> keptOrDefault(const QString& startFolder, const QString& resourceFolder,
                                       QStringList* unreadable) const;
    bool writeWhole(const QList<ConfigDefault>& values, QString* error);
    QList<ConfigDefault> storedValuesWith(const ConfigDefault& changed) const;
    void writeValue(const QString& name, Kind kind, const QString& text);
    void report(const QString& text) const;

    QString path_;
    Notify notify_;
    QStringList silenced_; // unreadable values already told about at start
};

} // namespace luftikon
