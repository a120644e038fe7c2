// One printed page from start to end, with the failures a user has to hear about.
#include "print/printjob.h"

#include "print/printgeometry.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace luftikon {

namespace {

const QChar dq = u'"';

void useSmallestMargins(QPrinter& printer)
{
    printer.setFullPage(false);
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

QString nothingPrinted()
{
    return QStringLiteral(" Es wurde nichts gedruckt.");
}

} // namespace

void preparePrinter(QPrinter& printer, const QPageSize& pageSize, QPageLayout::Orientation orientation)
{
    printer.setResolution(printDpi);
    printer.setPageSize(pageSize);
    printer.setPageOrientation(orientation);
    useSmallestMargins(printer);
}

bool printPage(Desktop& desktop, QPrinter& printer, const std::function<void(QPainter&)>& draw)
{
    const bool toPdf = printer.outputFormat() == QPrinter::PdfFormat;
    // Without any printer Qt falls back to a PDF printer that has no file to write to.
    const bool noPrinter =
        toPdf ? printer.outputFileName().isEmpty() : !printer.isValid() || printer.printerName().isEmpty();
    if (noPrinter) {
        desktop.error(QStringLiteral("Es ist kein Drucker eingerichtet.") + nothingPrinted());
        return false;
    }
    if (!toPdf) {
        if (QPrinterInfo::printerInfo(printer.printerName()).state() == QPrinter::Error) {
            desktop.error(QStringLiteral("Der Drucker ") + dq + printer.printerName() + dq +
                          QStringLiteral(" ist angehalten.") + nothingPrinted());
            return false;
        }
    }
    // The dialog may have chosen another printer with its own default resolution and margins.
    printer.setResolution(printDpi);
    useSmallestMargins(printer);

    const QString pdfFile = printer.outputFileName();
    const auto pdfFailed = [&] {
        desktop.error(QStringLiteral("Die PDF-Datei ") + dq + pdfFile + dq +
                      QStringLiteral(" konnte nicht geschrieben werden."));
        return false;
    };
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (toPdf)
            return pdfFailed();
        desktop.error(QStringLiteral("Der Druckauftrag konnte nicht begonnen werden.") + nothingPrinted());
        return false;
    }
    draw(painter);
    const bool ended = painter.end();
    if (toPdf && (!ended || QFileInfo(pdfFile).size() == 0))
        return pdfFailed();
    if (!ended || printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
        desktop.error(QStringLiteral("Der Druckauftrag konnte nicht abgeschlossen werden. "
                                     "Bitte prüfen Sie, ob der Ausdruck vollständig ist."));
        return false;
    }
    return true;
}

} // namespace luftikon
