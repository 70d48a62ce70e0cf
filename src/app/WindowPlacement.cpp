// Where the main window goes when the saved position is on no screen of this desktop.
#include "app/WindowPlacement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kelvaro {

namespace {

std::int64_t Overlap(std::int64_t start, std::int64_t length, std::int64_t areaStart,
                     std::int64_t areaLength) {
    return std::max<std::int64_t>(
        0, std::min(start + length, areaStart + areaLength) - std::max(start, areaStart));
}

/// How far a span lies outside another along one axis (0 when they meet).
std::int64_t Gap(std::int64_t start, std::int64_t length, std::int64_t areaStart, std::int64_t areaLength) {
    if (start + length <= areaStart) {
        return areaStart - (start + length);
    }
    if (start >= areaStart + areaLength) {
        return start - (areaStart + areaLength);
    }
    return 0;
}

int Clamp(int wanted, int length, int areaStart, int areaLength) {
    const int last = areaStart + std::max(0, areaLength - length);
    return std::clamp(wanted, areaStart, last);
}

}  // namespace

WindowCorner PlaceOnNearestScreen(WindowCorner wanted, int width, int height,
                                  const std::vector<ScreenArea>& screens) {
    const ScreenArea* best = nullptr;
    std::int64_t bestOverlap = 0;
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    for (const ScreenArea& screen : screens) {
        const std::int64_t overlapX = Overlap(wanted.Left, width, screen.Left, screen.Width);
        const std::int64_t overlapY = Overlap(wanted.Top, height, screen.Top, screen.Height);
        if (overlapX == width && overlapY == height) {
            return wanted;
        }
        const std::int64_t overlap = overlapX * overlapY;
        const std::int64_t gapX = Gap(wanted.Left, width, screen.Left, screen.Width);
        const std::int64_t gapY = Gap(wanted.Top, height, screen.Top, screen.Height);
        const std::int64_t distance = gapX * gapX + gapY * gapY;
        if (overlap > bestOverlap || (bestOverlap == 0 && overlap == 0 && distance < bestDistance)) {
            best = &screen;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    if (best == nullptr) {
        return wanted;
    }
    return {Clamp(wanted.Left, width, best->Left, best->Width),
            Clamp(wanted.Top, height, best->Top, best->Height)};
}

}  // namespace kelvaro
