#include "appversion.h"
#include "config/configstore.h"
#include "platform/qtdesktop.h"
#include "shell/appicon.h"
#include "shell/mainwindow.h"
#include "shell/singleinstance.h"
#include "state/appstate.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv)
{
    // German whatever the machine's locale: dates, numbers and Qt's own dialogs.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QString::fromLatin1(luftikon::appVersion));
    // Lets Wayland desktops match the windows to the menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.example.luftikon"));
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    luftikon::AppState state;
    state.resourceFolder =
        QDir::cleanPath(QApplication::applicationDirPath() + QStringLiteral("/../share/luftikon")) + QLatin1Char('/');
    QApplication::setWindowIcon(luftikon::applicationIcon(state.resourceFolder));
    luftikon::QtDesktop desktop;
    // Before any window or file: a second start only wakes the first one.
    luftikon::MainWindow* running = nullptr;
    luftikon::SingleInstance instance(luftikon::SingleInstance::lockPathFor(luftikon::ConfigStore::defaultPath()));
    if (!luftikon::startAlone(instance, desktop, [&running] {
            if (running)
                luftikon::bringToFront(*running);
        }))
        return 0;
    // An end from a dialog skips the destructors; the next start must not meet our lock.
    desktop.setBeforeTerminate([&instance] { instance.release(); });
    luftikon::ConfigStore config(luftikon::ConfigStore::defaultPath());
    luftikon::MainWindow mainForm(state, desktop, config);
    running = &mainForm;
    mainForm.show();
    return app.exec();
}
