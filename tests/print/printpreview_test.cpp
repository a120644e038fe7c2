// The print preview as the user meets it: the captured chart, the three formats, printing.
#include "print/printfixture.h"
#include "print/printgeometry.h"
#include "support/children.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace luftikon;
using namespace luftikon::test;

TEST_F(PrintWindowTest, FormatsTurnTheCaptureOnceAndACancelledPrintKeepsTheLastOne)
{
    openPreview([this](PrintPreview& p) {
        // Stored format A4: the picture stands upright, turned from the capture.
        EXPECT_TRUE(child<QCheckBox>(&p, "a4Check")->isChecked());
        EXPECT_LT(child<QLabel>(&p, "previewPicture")->width(), child<QLabel>(&p, "previewPicture")->height());
        EXPECT_TRUE(child<QPlainTextEdit>(&p, "formatNoteEdit")
                        ->toPlainText()
                        .contains(QStringLiteral("\nPapiergröße ist DIN A-4.\n")));
        const QImage upright = p.printPicture();

        child<QCheckBox>(&p, "a5Check")->click();
        EXPECT_GT(child<QLabel>(&p, "previewPicture")->width(), child<QLabel>(&p, "previewPicture")->height());
        EXPECT_EQ(upright, turnClockwise(p.printPicture()));

        // Back to A4: turned from the captured copy again, never a second time.
        child<QCheckBox>(&p, "a4Check")->click();
        EXPECT_EQ(p.printPicture(), upright);

        // The last checked box stays checked when clicked again.
        child<QCheckBox>(&p, "a6Check")->click();
        child<QCheckBox>(&p, "a6Check")->click();
        EXPECT_TRUE(child<QCheckBox>(&p, "a6Check")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(&p, "a4Check")->isChecked() || child<QCheckBox>(&p, "a5Check")->isChecked());
        EXPECT_TRUE(child<QPlainTextEdit>(&p, "formatNoteEdit")
                        ->toPlainText()
                        .endsWith(QStringLiteral("Oberer und unterer Rand ~ 7 mm.")));
        child<QCheckBox>(&p, "a5Check")->click();
        desktop.answerPrint(false);
        child<QPushButton>(&p, "printButton")->click();
    });
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(config.text(QStringLiteral("Grafikformat")), QStringLiteral("DINA5"));
    // The next opening starts in A5, the capture taken anew and not turned.
    openPreview([](PrintPreview& p) {
        EXPECT_TRUE(child<QCheckBox>(&p, "a5Check")->isChecked());
        EXPECT_GT(child<QLabel>(&p, "previewPicture")->width(), child<QLabel>(&p, "previewPicture")->height());
        child<QPushButton>(&p, "cancelButton")->click();
    });
    EXPECT_FALSE(preview->isVisible());
}

TEST_F(PrintWindowTest, FailedJobsAreReportedAndNotPrinted)
{
    openPreview([this](PrintPreview& p) {
        printToPdf(box.file(QStringLiteral("no/such/folder/chart.pdf")));
        child<QPushButton>(&p, "printButton")->click();
    });
    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_TRUE(desktop.shown()[0].text.startsWith(QStringLiteral("Die PDF-Datei ")));
    EXPECT_TRUE(desktop.shown()[0].text.endsWith(QStringLiteral(" konnte nicht geschrieben werden.")));

    desktop.clearShown();
    openPreview([this](PrintPreview& p) {
        // What Qt hands back on a machine without any printer: a PDF printer without a file.
        printToPdf(QString());
        child<QPushButton>(&p, "printButton")->click();
    });
    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_EQ(desktop.shown()[0].text, QStringLiteral("Es ist kein Drucker eingerichtet. Es wurde nichts gedruckt."));
}

TEST(PaperFormat, ASessionWithoutThePreviewKeepsTheStoredFormat)
{
    AppFixture machine;
    machine.form.reset(); // one program at a time, as on the machine
    machine.config.setText(QStringLiteral("Grafikformat"), QStringLiteral("DINA6"));
    // A returning user starts and ends the program without ever opening the print preview.
    machine.form = std::make_unique<MainWindow>(machine.state, machine.desktop, machine.config);
    machine.form.reset();
    EXPECT_EQ(machine.config.text(QStringLiteral("Grafikformat")), QStringLiteral("DINA6"));
}

TEST_F(PrintWindowTest, ThePictureFollowsTheWindowInThePrintedProportionsAndEveryTextIsWhole)
{
    openPreview([](PrintPreview& p) {
        const auto* picture = child<QLabel>(&p, "previewPicture");
        const auto proportion = [](QSizeF s) { return s.width() / s.height(); };
        for (const char* format : {"a4Check", "a6Check", "a5Check"}) {
            child<QCheckBox>(&p, format)->click();
            QApplication::processEvents();
            const QRect page = chartPrintRect(paperFromText(QStringLiteral("DINA") + format[1]).value());
            EXPECT_NEAR(proportion(picture->size()), proportion(page.size()), 0.02) << format;
            EXPECT_EQ(child<QPlainTextEdit>(&p, "formatNoteEdit")->verticalScrollBar()->maximum(), 0)
                << format << ": the note is read whole";
        }
        // At the size it opens with, every text is whole, inside the window.
        for (const QWidget* w : child<QFrame>(&p, "formatFrame")->findChildren<QWidget*>()) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
            EXPECT_TRUE(p.rect().contains(QRect(w->mapTo(&p, QPoint()), w->size()))) << w->objectName().toStdString();
        }
        const int before = picture->width();
        p.resize(p.width() + 300, p.height() + 200);
        QApplication::processEvents();
        EXPECT_GT(picture->width(), before + 100);
        child<QPushButton>(&p, "cancelButton")->click();
    });
}
