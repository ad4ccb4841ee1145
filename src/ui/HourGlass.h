#pragma once

namespace lgbatch {

// Busy pointer for the length of a handler: create one on entry, it ends with the scope.
// Instances do not count: when any of them ends the default pointer comes back, even while
// an outer one is still alive.
class HourGlass
{
public:
    HourGlass();
    ~HourGlass();
    HourGlass(const HourGlass &) = delete;
    HourGlass &operator=(const HourGlass &) = delete;
};

} // namespace lgbatch
