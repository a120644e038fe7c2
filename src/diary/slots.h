#pragma once
// The measurement slots of a day. Slot numbers run 1..8 in the order of the day; the
// four-slot day uses 1, 2, 3 and 8. 0 stands for "no slot is current".

namespace luftikon {

enum class SlotMode { Four = 4, Eight = 8 };

constexpr int NoSlot = 0;

} // namespace luftikon
