#include "core/window_fit.h"

#include <algorithm>
#include <limits>

namespace kvex::core {
namespace {

std::int32_t Clamped(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// Where a span of length starting at start lies once inside [low, high).
struct Span {
    std::int64_t start, length;
};
Span FitSpan(std::int64_t start, std::int64_t length, std::int64_t low, std::int64_t high) {
    const std::int64_t room = std::max<std::int64_t>(0, high - low);
    const std::int64_t fitted = std::clamp<std::int64_t>(length, 0, room);
    return {std::clamp(start, low, high - fitted), fitted};
}

}  // namespace

Edges EdgesOf(const Placement& p) {
    return {p.left, p.top, Clamped(std::int64_t{p.left} + p.width), Clamped(std::int64_t{p.top} + p.height)};
}

Placement Shifted(const Placement& p, std::int64_t dx, std::int64_t dy) {
    return {Clamped(p.left + dx), Clamped(p.top + dy), p.width, p.height};
}

Edges FitInside(const Placement& p, const Edges& area) {
    const Span x = FitSpan(p.left, p.width, area.left, std::max(area.left, area.right));
    const Span y = FitSpan(p.top, p.height, area.top, std::max(area.top, area.bottom));
    // Inside the area, so every edge fits in 32 bits.
    return {Clamped(x.start), Clamped(y.start), Clamped(x.start + x.length), Clamped(y.start + y.length)};
}

std::int32_t ScaleLength(std::int32_t pixels, std::uint32_t fromDpi, std::uint32_t toDpi) {
    if (fromDpi == 0) return pixels;
    const std::int64_t product = std::int64_t{pixels} * toDpi;
    const std::int64_t half = fromDpi / 2;
    const std::int64_t magnitude = ((product < 0 ? -product : product) + half) / fromDpi;
    return Clamped(product < 0 ? -magnitude : magnitude);
}

}  // namespace kvex::core
