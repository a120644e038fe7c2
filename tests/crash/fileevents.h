#pragma once
// File events of a save, seen from inside the process: the harness replaces the C library's
// open, write, fsync and rename calls so a child can count them and stop itself at a chosen one.

#include <atomic>

namespace luftikon::crash {

enum class FileEvent : int { Open = 1, Write, Sync, Rename };

const char* nameOf(FileEvent event);

constexpr int MaxEvents = 256;

// Lives in memory shared between the harness and its child, so the harness can read how far
// a killed child got.
struct EventLog {
    std::atomic<int> armed{0}; // events are counted only while set (the save itself)
    std::atomic<int> count{0}; // events so far
    int stopAfter = 0;         // the child stops itself (SIGSTOP) after this event; 0: never
    FileEvent kinds[MaxEvents] = {};
    char root[1024] = {}; // only files below this folder count
};

// Set in the child before it arms the log; null in the harness itself.
void useEventLog(EventLog* log);

} // namespace luftikon::crash
