#pragma once
// What the machine offers for touch: a touch screen at all, and one that takes several fingers.

#include <QList>

class QInputDevice;

namespace luftikon {

struct TouchSupport {
    bool touchInputAvailable = false; // a touch screen is attached
    bool multiTouchDigitizer = false; // a touch screen reports more than one touch point
};

TouchSupport touchSupportOf(const QList<const QInputDevice*>& devices);

// The devices Qt knows of right now.
TouchSupport touchSupportOfMachine();

} // namespace luftikon
