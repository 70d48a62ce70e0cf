// Where the main window goes when the saved position is on no screen of this desktop.
#pragma once

#include <vector>

namespace kelvaro {

struct ScreenArea {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

struct WindowCorner {
    int Left = 0;
    int Top = 0;
    bool operator==(const WindowCorner&) const = default;
};

/// The top-left corner for a window of the given size that asks for `wanted`. A window that
/// lies wholly on one screen stays where it is. Otherwise it goes onto the screen it overlaps
/// most, or, overlapping none, the nearest one, moved the least that puts it wholly there (a
/// window larger than the screen keeps its top-left corner on it). No screens: unchanged.
WindowCorner PlaceOnNearestScreen(WindowCorner wanted, int width, int height,
                                  const std::vector<ScreenArea>& screens);

}  // namespace kelvaro
