#include "support/sandbox.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace luftikon::test {

Sandbox::Sandbox()
{
    oldCwd_ = QDir::currentPath();
    hadConfigHome_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    oldConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    QDir(dir_.path()).mkpath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toLocal8Bit());
    QDir::setCurrent(dir_.path());
}

Sandbox::~Sandbox()
{
    QDir::setCurrent(oldCwd_);
    if (hadConfigHome_)
        qputenv("XDG_CONFIG_HOME", oldConfigHome_);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QByteArray Sandbox::readBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void Sandbox::writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace luftikon::test
