#pragma once
// Where a remembered window opens again: wholly inside the work area of a
// screen, at the size the user gave it, smaller only where the screen is.
// The numbers come from a file anyone can edit, so any 32-bit value may turn
// up: sums are worked out in 64 bits and clamped back.
#include <cstdint>

namespace kvex::core {

// A rectangle by its edges; right and bottom lie just past it.
struct Edges {
    std::int32_t left, top, right, bottom;
};

// A window's place and size.
struct Placement {
    std::int32_t left, top, width, height;
};

// The rectangle the placement covers, edges held inside 32 bits (enough to
// ask which screen lies nearest).
Edges EdgesOf(const Placement& placement);

// The placement moved by dx, dy, held inside 32 bits.
Placement Shifted(const Placement& placement, std::int64_t dx, std::int64_t dy);

// The placement inside area: its size kept where it fits, shrunk to the
// area where not, and moved no further than it takes to be whole.
Edges FitInside(const Placement& placement, const Edges& area);

// A length in pixels at one dpi as it is at another, rounded to the nearest
// pixel (halves away from zero) and held inside 32 bits.
std::int32_t ScaleLength(std::int32_t pixels, std::uint32_t fromDpi, std::uint32_t toDpi);

}  // namespace kvex::core
