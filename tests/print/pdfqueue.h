#pragma once
// A PDF print queue of the test's own on the machine's CUPS: added under a unique name (never
// the default), removed again at the end. CUPS needs root for this; as another user it goes
// through password-free sudo, or the queue reports why it cannot be had.

#include <QString>
#include <QStringList>

namespace luftikon::test {

class PdfQueue {
public:
    PdfQueue();
    ~PdfQueue();
    PdfQueue(const PdfQueue&) = delete;
    PdfQueue& operator=(const PdfQueue&) = delete;

    // Empty when the queue is ready; otherwise why it is not.
    const QString& problem() const { return problem_; }
    const QString& name() const { return name_; }

    // A job title no other print of this run uses.
    QString uniqueJobTitle();
    // Waits up to `timeoutMs` for the PDF of the job titled `title`; empty when none came.
    QString waitForPdf(const QString& title, int timeoutMs = 30000);

    // Stops or restarts the queue as an administrator would.
    bool setAccepting(bool enabled);

private:
    // Runs an administration command, through sudo when not root.
    bool admin(const QString& program, const QStringList& arguments, QString* output = nullptr);
    bool schedulerRunning();

    QString problem_;
    QString name_;
    QString outputFolder_;
    QStringList madeFiles_;
    bool useSudo_ = false;
    bool added_ = false;
    int jobs_ = 0;
};

} // namespace luftikon::test
