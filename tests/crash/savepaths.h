#pragma once
// The save paths the crash harness kills: each sets up a machine in a folder, saves once in a
// child process, and reads the result back the way the next start of the program does.

#include <QString>
#include <functional>
#include <vector>

namespace luftikon::crash {

struct SavePath {
    QString name;
    bool windows = false; // the child needs a QApplication
    // In the child: the machine before the save (first run, a diary of March 2024, remarks).
    std::function<int(const QString& root)> prepare;
    // In the child: the save; `ready` is called right before the step that writes.
    std::function<int(const QString& root, const std::function<void()>& ready)> save;
    // In the harness: what the next start would complain about; empty when it reads cleanly.
    std::function<QString(const QString& root)> readBack;
};

std::vector<SavePath> savePaths();

// Messages the child's desktop was asked to show; each one is a complaint.
int shownMessages();

} // namespace luftikon::crash
