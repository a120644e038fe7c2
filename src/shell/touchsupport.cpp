#include "shell/touchsupport.h"

#include <QInputDevice>
#include <QPointingDevice>

namespace luftikon {

TouchSupport touchSupportOf(const QList<const QInputDevice*>& devices)
{
    TouchSupport support;
    for (const QInputDevice* device : devices) {
        if (!device || device->type() != QInputDevice::DeviceType::TouchScreen)
            continue;
        support.touchInputAvailable = true;
        if (const auto* pointing = qobject_cast<const QPointingDevice*>(device);
            pointing && pointing->maximumPoints() > 1)
            support.multiTouchDigitizer = true;
    }
    return support;
}

TouchSupport touchSupportOfMachine()
{
    return touchSupportOf(QInputDevice::devices());
}

} // namespace luftikon
