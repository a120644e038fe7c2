#pragma once
// The running main window in a sandbox: its settings file, the scripted desktop that answers its
// questions, and the installed pictures. The one fixture every window test starts from.

#include "diary/textfile.h"
#include "shell/mainwindow.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <memory>

namespace luftikon::test {

struct AppFixture {
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};
    AppState state;
    std::unique_ptr<MainWindow> form;

    // Starts the program in the sandbox on `today`; a first start writes the settings file.
    explicit AppFixture(const QDate& today = QDate(2024, 3, 15), const QString& resources = installedResources)
    {
        QDir::setCurrent(box.path());
        state.resourceFolder = resources;
        desktop.setToday(today);
        form = std::make_unique<MainWindow>(state, desktop, config);
    }

    // The diary file of `user` for that month, where the program files it.
    QString diaryPath(const QString& user, int month, int year) const
    {
        return state.galleryFolder + QStringLiteral("%1/%2_%3_%1.tab").arg(year).arg(user).arg(month);
    }
    // Writes `lines` as the program's text files hold them; missing folders are made.
    static void writeLines(const QString& path, const QStringList& lines)
    {
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(writeTextLines(path, lines).ok) << path.toStdString();
    }
    // A returning user: the settings name `user` and the last diary, and the first show draws it.
    void returnTo(const QString& user, const QString& diary)
    {
        form->settings().setUserName(user);
        form->settings().setLastDiaryFile(diary);
        form->firstShow();
    }
    static QByteArray bytes(const QString& path) { return Sandbox::readBytes(path); }
};

} // namespace luftikon::test
