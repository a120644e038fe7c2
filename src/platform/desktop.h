#pragma once
// Every interaction that blocks on the user or leaves the process goes through this seam,
// so tests can script the answers and read back what the user was told.

#include "config/notice.h"

#include <QDate>
#include <QImage>
#include <QString>
#include <QTime>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;
class QColor;

namespace luftikon {

QString captionOf(MessageKind kind);

class Desktop {
public:
    virtual ~Desktop() = default;

    // Modal message box with an OK button.
    virtual void show(MessageKind kind, const QString& text) = 0;
    void information(const QString& text) { show(MessageKind::Information, text); }
    void warning(const QString& text) { show(MessageKind::Warning, text); }
    void message(const QString& text) { show(MessageKind::Plain, text); }
    void error(const QString& text) { show(MessageKind::Error, text); }
    // The same boxes for code that tells the user through a Notify.
    Notify notifier()
    {
        return [this](MessageKind kind, const QString& text) { show(kind, text); };
    }

    // Modal Ja/Nein question; true for Ja. `preset` is the button Enter presses: Nein where a
    // hasty Ja would lose readings.
    enum class Preset { Yes, No };
    virtual bool ask(const QString& text, MessageKind kind = MessageKind::Question, Preset preset = Preset::Yes) = 0;

    // Open-file dialog; empty text when the user cancels. `filter` uses Qt's ";;" form.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& start,
                                 const QString& filter) = 0;
    // Save-file dialog, asking before it replaces a file; empty text when the user cancels.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& start,
                                 const QString& filter) = 0;
    // Colour dialog; nothing when the user cancels.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    // Print dialog on a prepared printer; true when the user chose to print.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Shows a dialog modally and gives its result code.
    virtual int execModal(QDialog& dialog) = 0;

    virtual void setClipboardText(const QString& text) = 0;
    virtual void setClipboardImage(const QImage& image) = 0;

    // Opens a document with the desktop's default program.
    virtual void openDocument(const QString& path) = 0;

    virtual QDate today() = 0;
    virtual QTime now() = 0;

    // Ends the process at once (a data folder that can be neither found nor made).
    virtual void terminate(int exitCode) = 0;
};

} // namespace luftikon
