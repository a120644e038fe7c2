#include "support/scripteddesktop.h"

#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

namespace luftikon::test {

namespace {

const char* nameOf(std::size_t index)
{
    static const char* const names[] = {"yes/no answer", "file name", "colour", "print answer", "dialog handler"};
    return index < std::size(names) ? names[index] : "?";
}

} // namespace

ScriptedDesktop::~ScriptedDesktop()
{
    if (!allowUnused_ && !queue_.empty()) {
        ADD_FAILURE() << queue_.size()
                      << " queued answer(s) never asked for, the first: " << nameOf(queue_.front().index());
    }
}

template <typename T> std::optional<T> ScriptedDesktop::take(const QString& what)
{
    if (queue_.empty()) {
        ADD_FAILURE() << "unexpected (nothing queued): " << what.toStdString();
        return std::nullopt;
    }
    if (!std::holds_alternative<T>(queue_.front())) {
        ADD_FAILURE() << "unexpected (next queued: " << nameOf(queue_.front().index()) << "): " << what.toStdString();
        return std::nullopt;
    }
    T next = std::get<T>(std::move(queue_.front()));
    queue_.pop_front();
    return next;
}

QStringList ScriptedDesktop::shownTexts() const
{
    QStringList texts;
    for (const ShownMessage& message : shown_)
        texts << message.text;
    return texts;
}

void ScriptedDesktop::show(MessageKind kind, const QString& text)
{
    shown_.push_back({kind, captionOf(kind), text, false});
}

bool ScriptedDesktop::ask(const QString& text, MessageKind kind, Preset preset)
{
    shown_.push_back({kind, captionOf(kind), text, preset == Preset::No});
    const auto reply = take<YesNo>(QStringLiteral("question: ") + text);
    return reply && reply->yes;
}

QString ScriptedDesktop::openFileName(QWidget*, const QString& caption, const QString& start, const QString& filter)
{
    fileRequests_.push_back({caption, start, filter});
    const auto reply =
        take<FileName>(QStringLiteral("open-file dialog: ") + caption + QStringLiteral(" (") + filter + u')');
    return reply ? reply->path : QString();
}

QString ScriptedDesktop::saveFileName(QWidget*, const QString& caption, const QString& start, const QString& filter)
{
    fileRequests_.push_back({caption, start, filter});
    const auto reply =
        take<FileName>(QStringLiteral("save-file dialog: ") + caption + QStringLiteral(" (") + filter + u')');
    return reply ? reply->path : QString();
}

std::optional<QColor> ScriptedDesktop::chooseColor(QWidget*, const QColor& initial)
{
    const auto reply = take<ColorChoice>(QStringLiteral("colour dialog from ") + initial.name());
    return reply ? reply->color : std::nullopt;
}

bool ScriptedDesktop::choosePrinter(QWidget*, QPrinter& printer)
{
    const auto reply = take<PrintChoice>(QStringLiteral("print dialog"));
    return reply && reply->handler(printer);
}

int ScriptedDesktop::execModal(QDialog& dialog)
{
    const QString what =
        QStringLiteral("modal dialog \"") + dialog.windowTitle() + QStringLiteral("\" (") + dialog.objectName() + u')';
    const auto reply = take<DialogChoice>(what);
    if (!reply)
        return QDialog::Rejected;
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QApplication::processEvents();
    const int code = reply->handler(dialog);
    if (dialog.isVisible())
        dialog.done(code);
    return code;
}

void ScriptedDesktop::setClipboardText(const QString& text)
{
    clipboardTexts_ << text;
}

void ScriptedDesktop::setClipboardImage(const QImage& image)
{
    clipboardImages_.push_back(image);
}

void ScriptedDesktop::openDocument(const QString& path)
{
    opened_ << path;
}

void ScriptedDesktop::terminate(int exitCode)
{
    if (terminatedWith_)
        ADD_FAILURE() << "terminate called twice";
    terminatedWith_ = exitCode;
}

} // namespace luftikon::test
