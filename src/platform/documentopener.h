#pragma once
// Opening a document with the desktop's default program, and saying so when nothing opens it.
// The opener (xdg-open) runs detached, so a viewer the user keeps open outlives this program;
// its answer within the first seconds reaches us through a status file it leaves in the user's
// runtime folder. An opener still busy after that has found a viewer.

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace luftikon {

class DocumentOpener : public QObject {
public:
    // `onFailure` gets a German message naming the file. Answers later than `watchMs` are not
    // waited for.
    explicit DocumentOpener(std::function<void(const QString& message)> onFailure, int watchMs = 10000);
    ~DocumentOpener() override;

    void open(const QString& path);

private:
    struct Pending {
        QString path;
        QString statusFile;
        QElapsedTimer since;
    };
    void look();
    void fail(const QString& path);

    std::function<void(const QString&)> onFailure_;
    int watchMs_;
    QList<Pending> pending_;
    QTimer poll_;
};

} // namespace luftikon
