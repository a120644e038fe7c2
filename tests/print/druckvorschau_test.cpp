// The print preview as the user meets it: the captured chart, the three formats, printing.
#include "print/printfixture.h"
#include "print/printgeometry.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace luftikon;
using namespace luftikon::test;

TEST_F(PrintWindowTest, FormatsTurnTheCaptureOnceAndACancelledPrintKeepsTheLastOne)
{
    openPreview([this](TDruckvorschau& p) {
        // Stored format A4: the picture stands upright, turned from the capture.
        EXPECT_TRUE(p.DIN4CheckBox->isChecked());
        EXPECT_LT(p.DruckImage->width(), p.DruckImage->height());
        EXPECT_TRUE(p.Memo1->toPlainText().contains(QStringLiteral("\nPapiergrösse ist DIN A-4.\n")));
        const QImage upright = p.printPicture();

        p.DIN5CheckBox->click();
        EXPECT_GT(p.DruckImage->width(), p.DruckImage->height());
        EXPECT_EQ(upright, turnClockwise(p.printPicture()));

        // Back to A4: turned from the captured copy again, never a second time.
        p.DIN4CheckBox->click();
        EXPECT_EQ(p.printPicture(), upright);

        // The last checked box stays checked when clicked again.
        p.DIN6CheckBox->click();
        p.DIN6CheckBox->click();
        EXPECT_TRUE(p.DIN6CheckBox->isChecked());
        EXPECT_FALSE(p.DIN4CheckBox->isChecked() || p.DIN5CheckBox->isChecked());
        EXPECT_TRUE(p.Memo1->toPlainText().endsWith(QStringLiteral("Oberer und unterer Rand ~ 7 mm.")));
        p.DIN5CheckBox->click();
        desktop.answerPrint(false);
        p.DruckenBtn->click();
    });
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(config.text(QStringLiteral("Grafikformat")), QStringLiteral("DINA5"));
    // The next opening starts in A5, the capture taken anew and not turned.
    openPreview([](TDruckvorschau& p) {
        EXPECT_TRUE(p.DIN5CheckBox->isChecked());
        EXPECT_GT(p.DruckImage->width(), p.DruckImage->height());
        p.CancelButton->click();
    });
    EXPECT_FALSE(preview->isVisible());
}

TEST_F(PrintWindowTest, FailedJobsAreReportedAndNotPrinted)
{
    openPreview([this](TDruckvorschau& p) {
        printToPdf(box.file(QStringLiteral("no/such/folder/chart.pdf")));
        p.DruckenBtn->click();
    });
    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_TRUE(desktop.shown()[0].text.startsWith(QStringLiteral("Die PDF-Datei ")));
    EXPECT_TRUE(desktop.shown()[0].text.endsWith(QStringLiteral(" konnte nicht geschrieben werden.")));

    desktop.clearShown();
    openPreview([this](TDruckvorschau& p) {
        // What Qt hands back on a machine without any printer: a PDF printer without a file.
        printToPdf(QString());
        p.DruckenBtn->click();
    });
    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_EQ(desktop.shown()[0].text, QStringLiteral("Es ist kein Drucker eingerichtet. Es wurde nichts gedruckt."));
}

TEST(PaperFormat, ASessionWithoutThePreviewKeepsTheStoredFormat)
{
    MainWindow machine;
    machine.config.setText(QStringLiteral("Grafikformat"), QStringLiteral("DINA6"));
    // A returning user starts and ends the program without ever opening the print preview.
    machine.form = std::make_unique<TMainForm>(machine.state, machine.desktop, machine.config);
    machine.form.reset();
    EXPECT_EQ(machine.config.text(QStringLiteral("Grafikformat")), QStringLiteral("DINA6"));
}
