// The test's own PDF print queue.
#include "print/pdfqueue.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <pwd.h>
#include <unistd.h>

namespace luftikon::test {

namespace {

const QStringList adminPaths{QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin")};

QString findTool(const QString& name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(name, adminPaths) : found;
}

QString run(const QString& program, const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(20000);
    if (exitCode)
        *exitCode = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAll());
}

} // namespace

PdfQueue::PdfQueue()
{
    for (const char* tool : {"cupsd", "lpadmin", "lpstat", "cupsdisable", "pdftoppm"}) {
        if (findTool(QLatin1String(tool)).isEmpty()) {
            problem_ = QStringLiteral("CUPS, its PDF printer or poppler-utils are not installed (%1 is missing; "
                                      "scripts/install-deps installs them)")
                           .arg(QLatin1String(tool));
            return;
        }
    }
    if (!QFileInfo::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf"))) {
        problem_ = QStringLiteral("the CUPS PDF printer (printer-driver-cups-pdf) is not installed");
        return;
    }
    if (geteuid() != 0) {
        const QString sudo = findTool(QStringLiteral("sudo"));
        int code = -1;
        if (!sudo.isEmpty())
            run(sudo, {QStringLiteral("-n"), QStringLiteral("true")}, &code);
        if (code != 0) {
            problem_ = sudo.isEmpty() ? QStringLiteral("adding a print queue needs root, and sudo is not installed")
                                      : QStringLiteral("adding a print queue needs root, and sudo asks for a password");
            return;
        }
        useSudo_ = true;
    }
    if (!schedulerRunning()) {
        // No service manager here: the scheduler is started as the service would start it,
        // and it keeps running for whoever prints next.
        admin(findTool(QStringLiteral("cupsd")), {});
        QElapsedTimer clock;
        clock.start();
        while (!schedulerRunning() && clock.elapsed() < 15000)
            QThread::msleep(200);
        if (!schedulerRunning()) {
            problem_ = QStringLiteral("the CUPS scheduler cupsd did not start");
            return;
        }
    }
    name_ = QStringLiteral("luftikon-test-%1-%2").arg(getpid()).arg(QDateTime::currentMSecsSinceEpoch() % 1000000);
    QString output;
    if (!admin(findTool(QStringLiteral("lpadmin")),
               {QStringLiteral("-p"), name_, QStringLiteral("-E"), QStringLiteral("-v"), QStringLiteral("cups-pdf:/"),
                QStringLiteral("-m"), QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd")},
               &output)) {
        problem_ = QStringLiteral("the PDF queue could not be added: ") + output.trimmed();
        return;
    }
    added_ = true;
    // The PDF printer writes into the PDF folder of the job's owner.
    const passwd* user = getpwuid(getuid());
    outputFolder_ = QString::fromLocal8Bit(user ? user->pw_dir : qgetenv("HOME").constData()) + QStringLiteral("/PDF");
}

PdfQueue::~PdfQueue()
{
    if (added_)
        admin(findTool(QStringLiteral("lpadmin")), {QStringLiteral("-x"), name_});
    for (const QString& file : madeFiles_)
        if (!QFile::remove(file))
            admin(QStringLiteral("rm"), {QStringLiteral("-f"), file});
}

bool PdfQueue::admin(const QString& program, const QStringList& arguments, QString* output)
{
    int code = -1;
    const QString text =
        useSudo_ ? run(QStringLiteral("sudo"), QStringList{QStringLiteral("-n"), program} + arguments, &code)
                 : run(program, arguments, &code);
    if (output)
        *output = text;
    return code == 0;
}

bool PdfQueue::schedulerRunning()
{
    return run(findTool(QStringLiteral("lpstat")), {QStringLiteral("-r")}).contains(QStringLiteral("is running"));
}

QString PdfQueue::uniqueJobTitle()
{
    return QStringLiteral("%1-job%2").arg(name_).arg(++jobs_);
}

QString PdfQueue::waitForPdf(const QString& title, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        const bool jobsPending =
            !run(findTool(QStringLiteral("lpstat")), {QStringLiteral("-o"), name_}).trimmed().isEmpty();
        const QFileInfoList files =
            QDir(outputFolder_).entryInfoList({QLatin1Char('*') + title + QStringLiteral("*.pdf")}, QDir::Files);
        if (!jobsPending && !files.isEmpty() && files.first().size() > 0) {
            madeFiles_ << files.first().absoluteFilePath();
            return files.first().absoluteFilePath();
        }
        QCoreApplication::processEvents();
        QThread::msleep(250);
    }
    return {};
}

bool PdfQueue::setAccepting(bool enabled)
{
    return admin(findTool(enabled ? QStringLiteral("cupsenable") : QStringLiteral("cupsdisable")), {name_});
}

} // namespace luftikon::test
