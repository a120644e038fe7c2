#pragma once
// An entry dialog on a configured machine: settings with their first-run values, a gallery
// and an export folder in the sandbox, a user named "Erika Muster".

#include "config/configstore.h"
#include "entry/entrydialog.h"
#include "state/appstate.h"
#include "support/children.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"
#include "support/widgettext.h"
#include "widgets/spinedit.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <memory>

namespace luftikon::test {

struct EntryMachine {
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};
    Settings settings;
    AppState state;
    CurrentMonth month;
    std::unique_ptr<EntryDialog> dlg;

    explicit EntryMachine(const QString& lastEntry = QString())
    {
        const QString home = box.path() + u'/';
        config.writeFirstRunDefaults(home, home);
        settings = Settings::load(config);
        if (!lastEntry.isEmpty())
            settings.setLastEntryLine(lastEntry);
        state.galleryFolder = home + QStringLiteral("Galerie/");
        state.htmlFolder = home + QStringLiteral("Html/");
        QDir().mkpath(state.galleryFolder);
        QDir().mkpath(state.htmlFolder);
        state.userName = QStringLiteral("Erika Muster");
        dlg = std::make_unique<EntryDialog>(state, month, desktop, settings);
    }

    QString diary(int month, int year) const
    {
        return state.galleryFolder + QStringLiteral("%2/Erika Muster_%1_%2.tab").arg(month).arg(year);
    }

    // The fields as the user fills them; then "In Liste aufnehmen".
    void add(int slot, const QString& day, const QString& value, const QString& month = QStringLiteral("3"),
             const QString& time = QString())
    {
        for (int i = 0;
             i < 9 && child<QPushButton>(dlg, "slotButton")->text() != QLatin1String(slotInfo(slot)->caption); ++i)
            child<QPushButton>(dlg, "slotButton")->click();
        child<SpinEdit>(dlg, "daySpin")->setText(day);
        child<SpinEdit>(dlg, "monthSpin")->setText(month);
        child<SpinEdit>(dlg, "yearSpin")->setText(QStringLiteral("2024"));
        child<SpinEdit>(dlg, "valueSpin")->setText(value);
        if (!time.isEmpty())
            child<TimeEdit>(dlg, "timeEdit")->setText(time);
        child<QPushButton>(dlg, "addButton")->click();
    }

    // The list as a diary just drawn would fill it.
    void fill(const QStringList& lines) { dlg->takeDiary(diaryOf(lines, QString())); }

    QStringList listed() const
    {
        QStringList lines;
        for (int row = 0; row < child<QListWidget>(dlg, "readingsList")->count(); ++row)
            lines << child<QListWidget>(dlg, "readingsList")->item(row)->text();
        return lines;
    }
};

} // namespace luftikon::test
