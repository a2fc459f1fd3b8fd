// The colours of pinned watch windows, set by the initialisation file.
#pragma once

#include <cstdint>

struct PinRgb {
    std::int32_t r = 0, g = 0, b = 0;
    bool operator==(const PinRgb&) const = default;
};

struct PinColours {
    PinRgb box{40, 90, 220};
    PinRgb text{0, 0, 0};
    PinRgb background{255, 255, 190};
};

extern PinColours g_pin_colours;
