#pragma once
// The poppler tools (poppler-utils, see scripts/install-deps) read a written PDF back as a viewer
// shows it.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace luftikon::test {

inline QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed (poppler-utils, see scripts/install-deps): "
                      << tool.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// The text of the pages from `first` to `last` (all when 0), every run of blanks and line breaks
// made one blank; `asLaidOut` keeps the rows of a table together.
inline QString pdfText(const QString& pdf, int first = 0, int last = 0, bool asLaidOut = false)
{
    QStringList arguments;
    if (asLaidOut)
        arguments << QStringLiteral("-layout");
    if (first > 0)
        arguments << QStringLiteral("-f") << QString::number(first) << QStringLiteral("-l") << QString::number(last);
    return runTool(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"))
        .replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

// Every font the PDF uses is embedded, so it looks the same in any viewer.
inline void expectFontsEmbedded(const QString& pdf)
{
    const QStringList fonts = runTool(QStringLiteral("pdffonts"), {pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& font : fonts) {
        const QStringList columns = font.split(u' ', Qt::SkipEmptyParts);
        ASSERT_GE(columns.size(), 5);
        EXPECT_EQ(columns[columns.size() - 5], QStringLiteral("yes")) << font.toStdString();
    }
}

} // namespace luftikon::test
