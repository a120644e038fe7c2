// Opening a document: the desktop's opener says whether anything can show it, and the user hears
// of it when nothing can; a viewer still open is left alone.
#include "platform/documentopener.h"
#include "support/sandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

// A stand-in xdg-open first on the PATH, and the runtime folder of the sandbox.
struct FakeOpener {
    Sandbox box;
    QByteArray oldPath = qgetenv("PATH");
    QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    QStringList messages;

    explicit FakeOpener(const QByteArray& body)
    {
        const QString opener = box.file(QStringLiteral("bin/xdg-open"));
        Sandbox::writeBytes(opener, "#!/bin/sh\nprintf '%s' \"$1\" > \"" + box.file("seen").toUtf8() + "\"\n" + body);
        QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(box.file(QStringLiteral("run")));
        QFile::setPermissions(box.file(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", box.file(QStringLiteral("bin")).toUtf8() + ':' + oldPath);
        qputenv("XDG_RUNTIME_DIR", box.file(QStringLiteral("run")).toUtf8());
    }
    ~FakeOpener()
    {
        qputenv("PATH", oldPath);
        qputenv("XDG_RUNTIME_DIR", oldRuntime);
    }
    // Runs the event loop for `ms`, or until `done`.
    static void wait(int ms, const std::function<bool()>& done = {})
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms && !(done && done()))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QStringList runtimeFiles() const { return QDir(box.file(QStringLiteral("run"))).entryList(QDir::Files); }
};

} // namespace

TEST(DocumentOpener, NoViewerIsToldWithTheFileNameAndAnOddNameReachesTheOpenerAsItIs)
{
    FakeOpener fake("exit 3\n");
    DocumentOpener opener([&](const QString& message) { fake.messages << message; });
    const QString odd = fake.box.file(QStringLiteral("Erika \"B\" $HOME `x` 'y'.pdf"));
    opener.open(odd);
    FakeOpener::wait(8000, [&] { return !fake.messages.isEmpty(); });
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages.front(), QStringLiteral("Die Datei \"%1\" konnte nicht geöffnet werden: Auf diesem Rechner "
                                                    "ist kein Programm eingerichtet, das sie anzeigen kann.")
                                         .arg(odd));
    EXPECT_EQ(Sandbox::readBytes(fake.box.file(QStringLiteral("seen"))), odd.toUtf8());
    EXPECT_EQ(fake.runtimeFiles(), QStringList());
}

TEST(DocumentOpener, AViewerThatOpensOrStaysOpenIsNoFailureAndLeavesNoFileBehind)
{
    FakeOpener quick("exit 0\n");
    DocumentOpener opener([&](const QString& message) { quick.messages << message; }, 1500);
    opener.open(quick.box.file(QStringLiteral("a.pdf")));
    FakeOpener::wait(3000, [&] { return quick.runtimeFiles().isEmpty(); });
    EXPECT_EQ(quick.runtimeFiles(), QStringList());

    // A viewer kept open holds the opener past the watch; when it ends badly later, nobody is told.
    FakeOpener slow("sleep 2\nexit 4\n");
    DocumentOpener waiting([&](const QString& message) { slow.messages << message; }, 600);
    waiting.open(slow.box.file(QStringLiteral("b.pdf")));
    FakeOpener::wait(3000);
    EXPECT_EQ(quick.messages + slow.messages, QStringList());
    EXPECT_EQ(slow.runtimeFiles(), QStringList());
}
