#pragma once
// A running main window in a sandbox, for the settings dialog and the month openers.

#include "chart/ui/einstell.h"
#include "chart/ui/spinbutton.h"
#include "diary/entryline.h"
#include "diary/textfile.h"
#include "shell/mainform.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"

#include <QDir>
#include <QFileInfo>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace luftikon::test {

inline QString reading(const char* slot, int day, const QString& value, const QString& month = QStringLiteral("3"))
{
    return composeEntryLine(QLatin1String(slot) + QStringLiteral(" den "),
                            QStringLiteral("%1").arg(day, 2, 10, QChar(u'0')), month, QStringLiteral("2024"),
                            QStringLiteral("08:00"), value);
}

inline const QStringList fourSlotHeader{"[Personendaten]",
                                        "BenutzerName=Muster",
                                        "Datum=März 2024",
                                        "",
                                        "BisZu4MessungenJeTag=1",
                                        "BisZu8MessungenJeTag=0",
                                        "",
                                        "GrenzwertGruen>=500",
                                        "GrenzwertRot<=200",
                                        ""};

struct SettingsMachine {
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};
    AppState state;
    std::unique_ptr<TMainForm> form;
    QString diary; // the user's March diary

    SettingsMachine()
    {
        QDir::setCurrent(box.path());
        state.resourceFolder = QStringLiteral(LUFTIKON_RESOURCE_DIR "/");
        form = std::make_unique<TMainForm>(state, desktop, config);
        diary = galleryFile(QStringLiteral("Muster_3_2024.tab"));
    }
    TEinstellDlg& dlg() { return *form->EinstellDlg; }
    QString galleryFile(const QString& name) const { return state.galleryFolder + QStringLiteral("2024/") + name; }

    void write(const QString& path, const QStringList& lines)
    {
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(writeTextLines(path, lines).ok);
    }
    // The user worked last on `diary`, holding the four-slot header and `readings`; the first show draws it.
    void startWith(const QStringList& readings)
    {
        write(diary, fourSlotHeader + readings);
        config.Schreib_String_in_Registry(QStringLiteral("BenutzerName"), QStringLiteral("Muster"));
        config.Schreib_String_in_Registry(QStringLiteral("TabellenDateiName"), diary);
        form->FormPaint();
    }
    QByteArray bytes() const { return Sandbox::readBytes(diary); }
    QColor chartAt(int x, int y) { return form->chartPicture().pixelColor(x, y); }
};

} // namespace luftikon::test
