// Makes the help document: the German guide with pictures of the program's own windows, taken
// from a sample month at build time so the pictures always show the program as it is.
// Usage: make_help <resource folder> <guide source (HTML)> <output PDF> [folder for the pictures]

#include "appversion.h"
#include "config/configstore.h"
#include "diary/entryline.h"
#include "diary/textfile.h"
#include "platform/desktop.h"
#include "shell/mainwindow.h"
#include "state/appstate.h"
#include "widgets/largemenu.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

using namespace luftikon;

namespace {

// A desktop nobody sits at: every modal dialog is shown just long enough to be photographed,
// every question is answered no and every file dialog is cancelled.
class CameraDesktop : public Desktop {
public:
    QMap<QString, QImage> dialogs; // by object name

    void show(MessageKind, const QString& text) override
    {
        std::fprintf(stderr, "make_help: the sample month gave a message: %s\n", qPrintable(text));
    }
    bool ask(const QString&, MessageKind, Preset) override { return false; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    int execModal(QDialog& dialog) override
    {
        dialog.show();
        QApplication::processEvents();
        dialogs.insert(dialog.objectName(), dialog.grab().toImage());
        dialog.hide();
        return QDialog::Rejected;
    }
    void setClipboardText(const QString&) override {}
    void setClipboardImage(const QImage&) override {}
    void openDocument(const QString&) override {}
    QDate today() override { return {2024, 3, 29}; }
    QTime now() override { return {20, 15}; }
    void terminate(int exitCode) override { std::exit(exitCode); }
};

// The window's contents under a plain title bar with its caption, as the user finds it.
QImage framed(const QImage& contents, const QString& caption)
{
    constexpr int bar = 26;
    QImage picture(contents.width() + 2, contents.height() + bar + 1, QImage::Format_RGB32);
    picture.fill(QColor(120, 130, 145));
    QPainter p(&picture);
    p.fillRect(1, 1, contents.width(), bar - 1, QColor(222, 228, 236));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(40, 48, 64));
    p.drawText(QRect(10, 1, contents.width() - 40, bar - 1), Qt::AlignVCenter | Qt::AlignLeft, caption);
    p.drawText(QRect(contents.width() - 26, 1, 22, bar - 1), Qt::AlignCenter, QStringLiteral("×"));
    p.drawImage(1, bar, contents);
    return picture;
}

QImage windowPicture(QWidget& window)
{
    window.show();
    QApplication::processEvents();
    return framed(window.grab().toImage(), window.windowTitle());
}

// A March with four readings a day, mostly green, a cold in the middle of the month.
void writeSampleMonth(const QString& path)
{
    QStringList lines{QStringLiteral("[Personendaten]"),
                      QStringLiteral("BenutzerName=Erika Muster"),
                      QStringLiteral("Datum=März 2024"),
                      QString(),
                      QStringLiteral("BisZu4MessungenJeTag=1"),
                      QStringLiteral("BisZu8MessungenJeTag=0"),
                      QString(),
                      QStringLiteral("GrenzwertGruen>=400"),
                      QStringLiteral("GrenzwertRot<=250"),
                      QString()};
    const char* slotNames[] = {"Morgens den ", "Mittags den ", "Nachmittags den ", "Abends den "};
    const char* times[] = {"08:00", "12:00", "16:00", "20:00"};
    for (int day = 1; day <= 29; ++day) {
        const int cold = (day >= 12 && day <= 16) ? 130 - 20 * std::abs(day - 14) : 0;
        for (int slot = 0; slot < 4; ++slot) {
            const int value = 430 + (day * 37 + slot * 23) % 60 - cold - (slot == 0 ? 25 : 0);
            lines << composeEntryLine(QLatin1String(slotNames[slot]), QStringLiteral("%1").arg(day, 2, 10, QChar(u'0')),
                                      QStringLiteral("3"), QStringLiteral("2024"), QLatin1String(times[slot]),
                                      QString::number(value));
        }
    }
    if (!writeTextLines(path, lines).ok)
        std::fprintf(stderr, "make_help: cannot write the sample month %s\n", qPrintable(path));
}

// Every picture the guide refers to, by the name it uses in "bild:NAME".
QMap<QString, QImage> takePictures(const QString& resources)
{
    QTemporaryDir home;
    QDir::setCurrent(home.path());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    AppState state;
    state.resourceFolder = resources;
    CameraDesktop desktop;
    ConfigStore config(ConfigStore::defaultPath());
    MainWindow form(state, desktop, config);
    const QString diary = state.galleryFolder + QStringLiteral("2024/Erika Muster_3_2024.tab");
    QDir().mkpath(state.galleryFolder + QStringLiteral("2024"));
    writeSampleMonth(diary);
    form.settings().setUserName(QStringLiteral("Erika Muster"));
    form.settings().setLastDiaryFile(diary);
    form.show();
    form.firstShow();

    QMap<QString, QImage> pictures;
    pictures[QStringLiteral("hauptfenster")] = windowPicture(form);
    // The large menus are made when first shown.
    form.showLargeMenu();
    pictures[QStringLiteral("menue")] = windowPicture(*form.findChild<LargeMenu*>(QStringLiteral("mainLargeMenu")));
    pictures[QStringLiteral("datei-menue")] =
        windowPicture(*form.findChild<LargeMenu*>(QStringLiteral("fileLargeMenu")));
    pictures[QStringLiteral("datei-oeffnen-menue")] =
        windowPicture(*form.findChild<LargeMenu*>(QStringLiteral("openLargeMenu")));
    pictures[QStringLiteral("tabelle-menue")] =
        windowPicture(*form.findChild<LargeMenu*>(QStringLiteral("tableLargeMenu")));
    pictures[QStringLiteral("optionen-menue")] =
        windowPicture(*form.findChild<LargeMenu*>(QStringLiteral("optionsLargeMenu")));
    pictures[QStringLiteral("hilfe-menue")] =
        windowPicture(*form.findChild<LargeMenu*>(QStringLiteral("helpLargeMenu")));
    form.closeLargeMenus();

    // The caption is the window's own unless given; windows are made when first opened.
    const auto dialogPicture = [&desktop, &form](const char* command, const QString& name, QString caption = {}) {
        form.findChild<QAction*>(QLatin1String(command))->trigger();
        QElapsedTimer clock;
        clock.start();
        while (!desktop.dialogs.contains(name) && clock.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (const QWidget* window = form.findChild<QWidget*>(name); window && caption.isEmpty())
            caption = window->windowTitle();
        return framed(desktop.dialogs.value(name), caption);
    };
    pictures[QStringLiteral("eingabe")] = dialogPicture("editCurrentDiaryAction", QStringLiteral("entryDialog"));
    pictures[QStringLiteral("tabelle")] = dialogPicture("showCurrentTableAction", QStringLiteral("tableWindow"));
    pictures[QStringLiteral("einstellungen")] =
        dialogPicture("chartSettingsAction", QStringLiteral("chartSettingsDialog"), QStringLiteral("Einstellungen"));
    pictures[QStringLiteral("info")] = dialogPicture("aboutAction", QStringLiteral("aboutBox"));
    form.hide();
    return pictures;
}

bool writeGuide(const QString& source, const QMap<QString, QImage>& pictures, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_help: cannot read %s\n", qPrintable(source));
        return false;
    }
    QTextDocument doc;
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPointSizeF(12);
    doc.setDefaultFont(body);
    for (auto picture = pictures.cbegin(); picture != pictures.cend(); ++picture)
        doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("bild:") + picture.key()), picture.value());
    const QString html = QString::fromUtf8(in.readAll());
    // A picture the guide names but nobody took would leave an empty frame in the document.
    bool complete = true;
    static const QRegularExpression named(QStringLiteral("\"bild:([^\"]+)\""));
    for (const QRegularExpressionMatch& match : named.globalMatch(html))
        if (pictures.value(match.captured(1)).isNull()) {
            std::fprintf(stderr, "make_help: no picture \"%s\"\n", qPrintable(match.captured(1)));
            complete = false;
        }
    if (!complete)
        return false;
    doc.setHtml(html);

    QPdfWriter pdf(target);
    pdf.setTitle(QStringLiteral("Luftikon – Hilfe"));
    pdf.setCreator(QStringLiteral("Luftikon ") + QString::fromLatin1(appVersion));
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    doc.print(&pdf); // paginates with its own margins and page numbers
    if (!QFile::exists(target)) {
        std::fprintf(stderr, "make_help: cannot write %s\n", qPrintable(target));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication app(argc, argv);
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: make_help <resource folder> <guide.html> <output.pdf> [picture folder]\n");
        return 2;
    }
    const QString resources = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    const QString source = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    const QString target = QFileInfo(QString::fromLocal8Bit(argv[3])).absoluteFilePath();
    const QMap<QString, QImage> pictures = takePictures(resources);
    if (argc == 5) {
        const QDir folder(QString::fromLocal8Bit(argv[4]));
        folder.mkpath(QStringLiteral("."));
        for (auto picture = pictures.cbegin(); picture != pictures.cend(); ++picture)
            picture.value().save(folder.filePath(picture.key() + QStringLiteral(".png")));
    }
    return writeGuide(source, pictures, target) ? 0 : 1;
}
