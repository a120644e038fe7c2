// The print test fixture and the PDF reader.
#include "print/printfixture.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QProcess>

namespace luftikon::test {

std::vector<QImage> renderPdf(const QString& path, int dpi)
{
    QTemporaryDir out;
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), path, out.filePath("page")});
    if (!render.waitForFinished(30000) || render.exitCode() != 0)
        return {};
    std::vector<QImage> pages;
    const QStringList files = QDir(out.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        pages.push_back(QImage(out.filePath(file)).convertToFormat(QImage::Format_RGB32));
    return pages;
}

QRect inkBox(const QImage& page)
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

double pictureMatch(const QImage& page, int pageDpi, const QImage& picture, const QRect& dots)
{
    constexpr int samples = 24;
    int matches = 0;
    for (int i = 0; i < samples; ++i) {
        for (int j = 0; j < samples; ++j) {
            const double u = (i + 0.5) / samples;
            const double v = (j + 0.5) / samples;
            const QPoint onPage(int((dots.left() + u * dots.width()) * pageDpi / 600),
                                int((dots.top() + v * dots.height()) * pageDpi / 600));
            const QPoint inPicture(int(u * picture.width()), int(v * picture.height()));
            if (page.rect().contains(onPage) && nearColor(page.pixel(onPage), picture.pixel(inPicture), 40))
                ++matches;
        }
    }
    return double(matches) / (samples * samples);
}

bool nearColor(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

void PrintWindowTest::SetUp()
{
    QDir::setCurrent(box.path());
    form = std::make_unique<TMainForm>(state, desktop, config);
    // No user yet: the first show's name dialog is not what these tests are about.
    form->onNoUserName = [] {};
    preview = form->Druckvorschau;
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

void PrintWindowTest::openPreview(const std::function<void(TDruckvorschau&)>& whileShown)
{
    desktop.answerDialog([this, whileShown](QDialog&) {
        preview->FormPaint();
        whileShown(*preview);
        return preview->result();
    });
    preview->openForPrinting();
}

void PrintWindowTest::printToPdf(const QString& path)
{
    desktop.answerPrintWith([path](QPrinter& printer) {
        // An empty name would switch Qt back to a printer of the machine, if there is one.
        printer.setOutputFileName(path);
        printer.setOutputFormat(QPrinter::PdfFormat);
        return true;
    });
}

} // namespace luftikon::test
