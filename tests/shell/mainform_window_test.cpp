#include "shell/mainform.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"
#include "support/widgettext.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;
using luftikon::test::ScriptedDesktop;

using luftikon::test::itemTexts;

TEST(MainFormWindow, LaysOutHeaderStripAndChartAtTheirPlaces)
{
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config(box.configFile());
    AppState state;
    TMainForm form(state, desktop, config);
    form.show();

    EXPECT_EQ(form.windowTitle(), QStringLiteral("Luftikon"));
    EXPECT_EQ(form.font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(form.centralWidget()->size(), QSize(796, 693));
    EXPECT_EQ(form.Panel1->geometry(), QRect(0, 0, 796, 27));
    EXPECT_EQ(form.Image2->geometry(), QRect(1, 3, 788, 22));
    EXPECT_EQ(form.Label1->pos(), QPoint(5, 5));
    EXPECT_TRUE(form.Label1->font().bold());
    EXPECT_EQ(form.Label1->font().pixelSize(), 15);
    EXPECT_EQ(form.ScrollBox1->geometry(), QRect(0, 27, 796, 693 - 27));
    EXPECT_EQ(form.Image->geometry(), QRect(0, 20, 788, 641));

    // What the drawing code paints into the picture is what the window shows.
    form.chartPicture() = QImage(40, 30, QImage::Format_RGB32);
    form.chartPicture().fill(Qt::red);
    form.updateChart();
    EXPECT_EQ(form.Image->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));

    const QList<QAction*> menus = form.menuBar()->actions();
    ASSERT_EQ(menus.size(), 6);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&Datei"));
    EXPECT_EQ(itemTexts(form.Datei1), (QStringList{"&Neu", "Liniendiagramm im Browser anzeigen", "&Öffnen...",
                                                   "&Drucken...", "-", "Be&enden"}));
    EXPECT_EQ(itemTexts(form.Drucken1), (QStringList{"Grafik &skaliert drucken", "&Tabelle drucken"}));
    EXPECT_EQ(itemTexts(form.Oeffnen1),
              (QStringList{"und als Grafik anzeigen", "und in Tabellenform anzeigen", "und bearbeiten"}));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Einstellungen"));
    EXPECT_EQ(menus[1]->menu(), nullptr); // the title itself is the command
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&Optionen"));
    EXPECT_EQ(itemTexts(form.Optionen1),
              (QStringList{"&Benutzername ändern", "bis zu &4 Messungen je Tag", "bis zu &8 Messungen je Tag", "    ",
                           "Registry-Einträge löschen "}));
    EXPECT_TRUE(form.biszu4MessungenjeTag->isChecked());
    EXPECT_FALSE(form.biszu8MessungenjeTag->isChecked());
    EXPECT_EQ(menus[3]->text(), QStringLiteral("&Tabelle"));
    EXPECT_EQ(itemTexts(form.Tabelle1), (QStringList{"&aktuelle anzeigen", "aktuelle &bearbeiten"}));
    EXPECT_EQ(menus[4]->text(), QStringLiteral("&Auswertung"));
    EXPECT_EQ(itemTexts(form.evaluationMenu),
              (QStringList{"Monat &auswerten...", "Arzt&bericht als PDF", "Als &CSV-Datei speichern"}));
    EXPECT_EQ(menus[5]->text(), QStringLiteral("&Hilfe"));
    EXPECT_EQ(itemTexts(form.Hilfe1), (QStringList{"&Hilfethemen", "&Info über..."}));
    EXPECT_EQ(itemTexts(form.PopupMenu1), (QStringList{" ", "Menüleiste GROß anzeigen", " "}));

    form.Beenden1->trigger();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(config.Lies_String_aus_Registry(QStringLiteral("TabellenDateiName")), QString());
}
