#pragma once
// Top-level windows that fit the screen they open on, whatever its size and scale: a window opens
// at its remembered size or else its design size, shrunk until it lies whole, frame and title
// bar included, in the screen's free area, centred there; the size it is left at is remembered.

#include <QMargins>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace luftikon {

// The window's own size as it grows and shrinks: every side on its own, or both by one factor
// (a window whose content keeps its proportions).
enum class Shrink { EachSide, Proportionally };

// The size of a window that wants `wanted` on a free area of `available` when the window
// system adds `frame` around it: `wanted` where it fits, otherwise shrunk until window and frame
// fit, though never below `minimum` unless the free area itself is smaller.
QSize fittedWindowSize(QSize wanted, QSize minimum, QMargins frame, QSize available, Shrink shrink = Shrink::EachSide);

// Where window sizes are kept between runs, by window name. The program sets it once its
// settings are read; without it nothing is remembered.
struct WindowSizeMemory {
    std::function<std::optional<QSize>(const QString& name)> recall;
    std::function<void(const QString& name, QSize size)> keep;
    const void* owner = nullptr; // the object whose settings these are
};
// Replaces the memory; gives back the one before.
WindowSizeMemory setWindowSizeMemory(WindowSizeMemory memory);
// Ends the memory `owner` set while it is still in force; one set later by another owner stays.
void releaseWindowSizeMemory(const void* owner);

// Sizes `window` for its next showing: its size remembered under `name` or else `design`
// (never more than `design` when nothing is remembered), fitted to the free area of its screen
// and centred in it. Once shown, the window is fitted again with the frame the window system
// really gave it, unless the user has resized it meanwhile. Hiding it remembers its size.
// An empty `name` remembers nothing.
void fitToScreen(QWidget& window, QSize design, const QString& name = QString(), Shrink shrink = Shrink::EachSide);

} // namespace luftikon
