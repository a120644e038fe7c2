#pragma once
// The main window with its print preview in a sandbox, a chart picture whose every pixel
// differs, and PDF pages read back as pictures.

#include "print/druckvorschau.h"
#include "shell/mainform.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"

#include <QImage>
#include <QPrinter>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace luftikon::test {

// The pages of a PDF file rendered at `dpi`, upright as a viewer shows them; empty when the
// file cannot be rendered.
std::vector<QImage> renderPdf(const QString& path, int dpi);
// The smallest rectangle holding every pixel that is not white.
QRect inkBox(const QImage& page);
// The share (0..1) of sample points where `page`, rendered at `pageDpi`, shows `picture`
// stretched into `dots` (printer dots at 600 dpi).
double pictureMatch(const QImage& page, int pageDpi, const QImage& picture, const QRect& dots);
// Whether the two colours differ by at most `tolerance` in each channel.
bool nearColor(QRgb a, QRgb b, int tolerance = 24);

class PrintWindowTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Opens the preview through "Grafik skaliert drucken"'s last step; `whileShown` acts on it.
    void openPreview(const std::function<void(TDruckvorschau&)>& whileShown);
    // Queues the print dialog's answer: print into the PDF file `path`; with an empty path, a
    // PDF printer without a file, which is what Qt offers on a machine without printers.
    void printToPdf(const QString& path);

    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};
    AppState state;
    std::unique_ptr<TMainForm> form;
    TDruckvorschau* preview = nullptr;
};

} // namespace luftikon::test
