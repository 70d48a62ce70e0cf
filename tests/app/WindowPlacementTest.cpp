// Where the window goes for saved positions on, across and off the screens.
#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

struct PlacementCase {
    const char* What;
    WindowCorner Wanted;
    WindowCorner Expected;
};

TEST(WindowPlacement, SavedPositionsComeBackOntoTheNearestScreen) {
    // Two screens side by side, the right one lower and smaller; the window is 654 x 500.
    const std::vector<ScreenArea> screens = {{0, 0, 1920, 1080}, {1920, 200, 1280, 1024}};
    const PlacementCase cases[] = {
        {"wholly on the first", {1, 1}, {1, 1}},
        {"wholly on the second", {2000, 300}, {2000, 300}},
        {"far up and left", {-30000, -30000}, {0, 0}},
        {"far down and right", {99999, 99999}, {3200 - 654, 1224 - 500}},
        {"partly off the bottom of the first", {100, 900}, {100, 1080 - 500}},
        {"across both, mostly on the second", {1800, 300}, {1920, 300}},
        {"above the second, nearest to it", {2500, -900}, {2500, 200}},
    };
    for (const PlacementCase& row : cases) {
        SCOPED_TRACE(row.What);
        EXPECT_EQ(PlaceOnNearestScreen(row.Wanted, 654, 500, screens), row.Expected);
    }
}

TEST(WindowPlacement, AWindowLargerThanTheScreenKeepsItsCornerOnItAndNoScreenChangesNothing) {
    const std::vector<ScreenArea> small = {{0, 0, 640, 480}};
    EXPECT_EQ(PlaceOnNearestScreen({-50, 300}, 654, 500, small), (WindowCorner{0, 0}));
    EXPECT_EQ(PlaceOnNearestScreen({-50, 300}, 654, 500, {}), (WindowCorner{-50, 300}));
}

}  // namespace
}  // namespace kelvaro
