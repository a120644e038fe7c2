#pragma once
// A private temporary folder per test: working folder, data folder and configuration home.

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace luftikon::test {

// The pictures, help and scripts of the build tree, laid out as the install puts them.
inline const QString installedResources = QStringLiteral(LUFTIKON_RESOURCE_DIR "/");

class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    QString path() const { return dir_.path(); }
    // Path inside the sandbox; folders in `relative` are not created.
    QString file(const QString& relative) const { return dir_.filePath(relative); }
    // The configuration file the program uses in this sandbox.
    QString configFile() const { return dir_.filePath(QStringLiteral("config/Quendel/Luftikon.conf")); }

    static QByteArray readBytes(const QString& path);
    static void writeBytes(const QString& path, const QByteArray& bytes); // makes missing folders

private:
    QTemporaryDir dir_;
    QString oldCwd_;
    QByteArray oldConfigHome_;
    bool hadConfigHome_ = false;
};

} // namespace luftikon::test
