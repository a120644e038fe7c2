#pragma once
// The desktop for tests. The test queues the user's answers in the order the program will ask
// for them; every message is recorded. A question or dialog nobody queued an answer for fails
// the test and gets the cautious answer (Nein, cancel, rejected) instead of blocking.

#include "platform/desktop.h"

#include <QColor>
#include <QImage>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace luftikon::test {

enum class Answer { Yes, No };

struct ShownMessage {
    MessageKind kind;
    QString caption;
    QString text;
    bool presetNo = false; // a question whose Enter answers Nein
};

struct FileRequest {
    QString caption;
    QString start;
    QString filter;
};

class ScriptedDesktop : public Desktop {
public:
    using DialogHandler = std::function<int(QDialog&)>;

    ScriptedDesktop() = default;
    // Fails the test when queued answers were never asked for.
    ~ScriptedDesktop() override;

    // Queue answers, each consumed by the next call of its kind; the kinds must come in order.
    // Built in place: moving a whole variant into the queue makes GCC 12 warn falsely of an
    // uninitialized alternative.
    void answer(bool yes) { queue_.emplace_back(YesNo{yes}); }
    void answer(Answer a) { answer(a == Answer::Yes); }
    // Answers an open-file or a save-file dialog.
    void answerFile(const QString& path) { queue_.emplace_back(FileName{path}); } // empty: the user cancels
    void answerColor(std::optional<QColor> color) { queue_.emplace_back(ColorChoice{color}); }
    // The user picks a printer in the print dialog: the handler sets it up and says whether
    // the user printed.
    using PrintHandler = std::function<bool(QPrinter&)>;
    void answerPrintWith(PrintHandler handler) { queue_.emplace_back(PrintChoice{std::move(handler)}); }
    void answerPrint(bool print)
    {
        answerPrintWith([print](QPrinter&) { return print; });
    }
    // The dialog is shown (not blocking) before the handler runs; the handler fills it in and
    // returns the result code. A dialog still visible afterwards is closed with that code.
    void answerDialog(DialogHandler handler) { queue_.emplace_back(DialogChoice{std::move(handler)}); }
    int pendingAnswers() const { return int(queue_.size()); }
    void allowUnusedAnswers() { allowUnused_ = true; }

    // Every box shown and every question asked, in order.
    const std::vector<ShownMessage>& shown() const { return shown_; }
    QStringList shownTexts() const;
    void clearShown() { shown_.clear(); }

    const std::vector<FileRequest>& fileRequests() const { return fileRequests_; }
    const QStringList& openedDocuments() const { return opened_; }
    const QStringList& clipboardTexts() const { return clipboardTexts_; }
    const std::vector<QImage>& clipboardImages() const { return clipboardImages_; }
    std::optional<int> terminatedWith() const { return terminatedWith_; }

    void setToday(const QDate& date) { today_ = date; }

    // Desktop
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
    QDate today() override { return today_; }
    QTime now() override { return now_; }
    void terminate(int exitCode) override;

private:
    struct YesNo {
        bool yes;
    };
    struct FileName {
        QString path;
    };
    struct ColorChoice {
        std::optional<QColor> color;
    };
    struct PrintChoice {
        PrintHandler handler;
    };
    struct DialogChoice {
        DialogHandler handler;
    };
    using Queued = std::variant<YesNo, FileName, ColorChoice, PrintChoice, DialogChoice>;

    // The next queued answer when it is of type T; otherwise the test fails with `what`.
    template <typename T> std::optional<T> take(const QString& what);

    std::deque<Queued> queue_;
    bool allowUnused_ = false;
    std::vector<ShownMessage> shown_;
    std::vector<FileRequest> fileRequests_;
    QStringList opened_;
    QStringList clipboardTexts_;
    std::vector<QImage> clipboardImages_;
    std::optional<int> terminatedWith_;
    QDate today_{2024, 3, 15};
    QTime now_{9, 30};
};

} // namespace luftikon::test
