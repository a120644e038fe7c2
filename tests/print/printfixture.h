#pragma once
// The main window with its print preview and a chart picture whose quarters differ.

#include "print/printpreview.h"
#include "support/appfixture.h"
#include "support/children.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <functional>

namespace luftikon::test {

// The smallest rectangle holding every pixel that is not white.
inline QRect inkBox(const QImage& page)
{
    QRect box;
    for (int y = 0; y < page.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x)
            if (qRed(row[x]) < 250 || qGreen(row[x]) < 250 || qBlue(row[x]) < 250)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

class PrintWindowTest : public ::testing::Test, protected AppFixture {
protected:
    PrintWindowTest()
    {
        // No user yet: the first show's name dialog is not what these tests are about.
        QObject::disconnect(form.get(), &MainWindow::userNameNeeded, nullptr, nullptr);
        // A chart with a coloured band in each quarter, so turned and unturned pictures tell apart.
        QImage chart(788, 641, QImage::Format_RGB32);
        QPainter painter(&chart);
        painter.fillRect(0, 0, 394, 320, QColor(0, 160, 0));
        painter.fillRect(394, 0, 394, 320, QColor(240, 200, 0));
        painter.fillRect(0, 320, 394, 321, QColor(200, 0, 0));
        painter.fillRect(394, 320, 394, 321, QColor(0, 0, 200));
        painter.end();
        form->chartPicture() = chart;
        form->updateChart();
        form->show();
        QApplication::processEvents();
    }

    // Opens the preview through "Grafik skaliert drucken"'s last step; `whileShown` acts on it.
    void openPreview(const std::function<void(PrintPreview&)>& whileShown)
    {
        desktop.answerDialog([this, whileShown](QDialog&) {
            preview->refresh();
            whileShown(*preview);
            return preview->result();
        });
        preview->openForPrinting();
    }

    // Queues the print dialog's answer: print into the PDF file `path`; with an empty path, a
    // PDF printer without a file, which is what Qt offers on a machine without printers.
    void printToPdf(const QString& path)
    {
        desktop.answerPrintWith([path](QPrinter& printer) {
            // An empty name would switch Qt back to a printer of the machine, if there is one.
            printer.setOutputFileName(path);
            printer.setOutputFormat(QPrinter::PdfFormat);
            return true;
        });
    }

    PrintPreview* preview = &form->printPreview();
};

} // namespace luftikon::test
