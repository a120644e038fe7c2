#pragma once
// The desktop seam on Qt: German message boxes and the standard dialogs.

#include "platform/desktop.h"
#include "platform/documentopener.h"

#include <functional>

namespace luftikon {

class QtDesktop final : public Desktop {
public:
    void show(MessageKind kind, const QString& text) override;
    bool ask(const QString& text, MessageKind kind = MessageKind::Question, Preset preset = Preset::Yes) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    int execModal(QDialog& dialog) override;
    void setClipboardText(const QString& text) override;
    void setClipboardImage(const QImage& image) override;
    void openDocument(const QString& path) override;
    QDate today() override;
    QTime now() override;
    [[noreturn]] void terminate(int exitCode) override;

    // Runs in terminate before the process ends: what the skipped destructors would release.
    void setBeforeTerminate(std::function<void()> step) { beforeTerminate_ = std::move(step); }

private:
    std::function<void()> beforeTerminate_;
    DocumentOpener opener_{[this](const QString& message) { show(MessageKind::Warning, message); }};
};

} // namespace luftikon
