// The save paths of the crash harness, run as the user runs them: the entry dialog's "&Grafik zeigen" with its
// redraw, a limit written into the diary header, and the table window's remarks on closing. The first and the
// last write settings values too, so the settings file is killed at every event of its save as well.
#include "savepaths.h"
#include "support/children.h"

#include "config/configstore.h"
#include "diary/entryline.h"
#include "diary/iniheader.h"
#include "diary/textfile.h"
#include "entry/entrydialog.h"
#include "platform/desktop.h"
#include "shell/mainwindow.h"
#include "state/appstate.h"
#include "support/diarylines.h"
#include "table/tablewindow.h"
#include "widgets/spinedit.h"

#include <QColor>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>
#include <memory>

namespace luftikon::crash {

namespace {

int messages = 0;

void complain(const QString& text)
{
    ++messages;
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
}

// Answers every question with Ja and runs the one modal dialog the path opens; any message is a complaint.
class ChildDesktop : public Desktop {
public:
    std::function<int(QDialog&)> onModal;

    void show(MessageKind, const QString& text) override { complain(text); }
    bool ask(const QString&, MessageKind, Preset) override { return true; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        complain(QStringLiteral("open-file dialog"));
        return QString();
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        complain(QStringLiteral("save-file dialog"));
        return QString();
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    int execModal(QDialog& dialog) override { return onModal ? onModal(dialog) : 0; }
    void setClipboardText(const QString&) override {}
    void setClipboardImage(const QImage&) override {}
    void openDocument(const QString&) override {}
    QDate today() override { return QDate(2024, 3, 20); }
    QTime now() override { return QTime(20, 0); }
    void terminate(int exitCode) override { std::_Exit(exitCode); }
};

QString configFile(const QString& root)
{
    return root + QStringLiteral("/config/Quendel/Luftikon.conf");
}

// The diary, or with "txt" its remarks.
QString diaryFile(const QString& root, const char* ending = "tab")
{
    return root + QStringLiteral("/Luftikon-Daten-Galerie/2024/Erika Muster_3_2024.") + QLatin1String(ending);
}

// The main window of a machine set up in `root`, with the diary of March 2024 drawn.
struct Machine {
    ChildDesktop desktop;
    ConfigStore config;
    AppState state;
    std::unique_ptr<MainWindow> form;

    explicit Machine(const QString& root) : config(configFile(root))
    {
        state.resourceFolder = QStringLiteral(LUFTIKON_RESOURCE_DIR) + u'/';
        form = std::make_unique<MainWindow>(state, desktop, config);
        if (QFile::exists(diaryFile(root)))
            form->month().open(diaryFile(root));
    }
};

// First run in `root`, then a diary of nineteen days with four readings each and long remarks.
int prepareMachine(const QString& root)
{
    {
        Machine first(root);
    }
    ConfigStore config(configFile(root));
    config.setText(QStringLiteral("BenutzerName"), QStringLiteral("Erika Muster"));
    config.setText(QStringLiteral("TabellenDateiName"), diaryFile(root));
    config.setText(QStringLiteral("LetzteEingabe"), test::reading("Messung3", 19, 430));
    QStringList lines = test::diaryHead(QStringLiteral("Erika Muster"), QStringLiteral("März 2024"), false, 500, 200);
    for (int day = 1; day <= 19; ++day) {
        int slot = 0;
        for (const char* name : {"Morgens", "Messung2", "Messung3", "Abends"}) {
            lines << test::reading(name, day, 300 + 7 * day + 11 * slot, 3, 2024,
                                   QStringLiteral("%1:00").arg(8 + 4 * slot, 2, 10, QLatin1Char('0')));
            ++slot;
        }
    }
    QStringList remarks{QStringLiteral("          Meine Bemerkung:")};
    for (int i = 1; i <= 200; ++i)
        remarks << QStringLiteral("%1. März: Pollenflug stark, Spray zweimal genommen, Nacht ruhig.").arg(i % 31 + 1);
    QDir().mkpath(QFileInfo(diaryFile(root)).path());
    return writeTextLines(diaryFile(root), lines).ok && writeTextLines(diaryFile(root, "txt"), remarks).ok ? 0 : 1;
}

int saveDiary(const QString& root, const std::function<void()>& ready)
{
    Machine machine(root);
    EntryDialog& entry = *child<EntryDialog>(machine.form, "entryDialog");
    machine.desktop.onModal = [&](QDialog& dialog) {
        if (&dialog != &entry)
            return 0;
        child<SpinEdit>(&entry, "daySpin")->setText(QStringLiteral("20"));
        child<SpinEdit>(&entry, "valueSpin")->setText(QStringLiteral("455"));
        child<QPushButton>(&entry, "addButton")->click();
        ready();
        child<QPushButton>(&entry, "chartButton")->click();
        return 1;
    };
    machine.form->editCurrentDiary();
    return 0;
}

int saveRemarks(const QString& root, const std::function<void()>& ready)
{
    Machine machine(root);
    TableWindow& table = machine.form->tableWindow();
    machine.desktop.onModal = [&](QDialog& dialog) {
        if (&dialog != &table)
            return 0;
        child<QPlainTextEdit>(&table, "remarksEdit")->moveCursor(QTextCursor::End);
        child<QPlainTextEdit>(&table, "remarksEdit")
            ->insertPlainText(QStringLiteral("20. März: Peak-Flow abends besser.\n"));
        ready();
        table.done(0);
        return 0;
    };
    machine.form->showCurrentTable();
    machine.form->showPreparedTable();
    return 0;
}

int writeLimit(const QString& root, const std::function<void()>& ready)
{
    ready();
    return writeHeaderValue(diaryFile(root), QStringLiteral("GrenzwertGruen>"), QStringLiteral("450")).ok ? 0 : 1;
}

// The settings as the next start reads them: every value, none reported.
QString settingsComplaint(const QString& root)
{
    QString complaint;
    ConfigStore config(configFile(root),
                       [&](MessageKind, const QString& text) { complaint += text + QLatin1Char('\n'); });
    if (!config.exists())
        return QStringLiteral("settings file missing");
    if (config.readAll().value(QStringLiteral("InstallOrt")).isEmpty())
        complaint += QStringLiteral("settings lost InstallOrt\n");
    return complaint;
}

// The diary as the next start reads it: a header with the day layout and limits, all readings.
QString diaryComplaint(const QString& root)
{
    const ReadResult read = readTextLines(diaryFile(root));
    if (!read.ok)
        return read.error;
    const int entries = int(entryLinesOf(read.lines).size());
    if (entries != 76 && entries != 77)
        return QStringLiteral("diary holds %1 readings").arg(entries);
    if (!readHeaderValue(read.lines, QStringLiteral("BisZu4MessungenJeTag"), QString()).contains(u'1'))
        return QStringLiteral("diary lost its day layout");
    if (!parseWholeNumber(readHeaderValue(read.lines, QStringLiteral("GrenzwertGruen>"), QString())))
        return QStringLiteral("diary lost its green limit");
    return QString();
}

QString remarksComplaint(const QString& root)
{
    const ReadResult read = readTextLines(diaryFile(root, "txt"));
    if (!read.ok)
        return read.error;
    return read.lines.size() >= 201 ? QString() : QStringLiteral("remarks cut to %1 lines").arg(read.lines.size());
}

} // namespace

int shownMessages()
{
    return messages;
}

std::vector<SavePath> savePaths()
{
    const auto diaryAndSettings = [](const QString& root) { return diaryComplaint(root) + settingsComplaint(root); };
    return {
        {QStringLiteral("diary save with redraw"), true, prepareMachine, saveDiary, diaryAndSettings},
        {QStringLiteral("in-place limit write"), false, prepareMachine, writeLimit, diaryAndSettings},
        {QStringLiteral("remarks save"), true, prepareMachine, saveRemarks,
         [](const QString& root) { return remarksComplaint(root) + settingsComplaint(root); }},
    };
}

} // namespace luftikon::crash
