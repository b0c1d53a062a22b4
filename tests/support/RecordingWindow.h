// A Window that only records the shape and the pictures it is given, for tests of the code that
// talks to the window.
#pragma once

#include <optional>
#include <vector>

#include "platform/Window.h"
#include "render/Palette.h"
#include "render/Region.h"
#include "render/Surface.h"

namespace mascot::test {

class RecordingWindow : public Window {
public:
    std::vector<Region> shapes;  // every shape given, oldest first
    struct Presented {
        Surface picture;
        const Palette* palette = nullptr;
    };
    std::vector<Presented> presented;

    WindowId Id() const override { return WindowId{1}; }
    void SetTimer(uint32_t, uint32_t) override {}
    void KillTimer(uint32_t) override {}
    bool IsVisible() const override { return false; }
    void Hide() override {}
    void PlaceTopMost(Point, bool) override {}
    void RaiseTopMost() override {}
    Rect ScreenRect() const override { return Rect{}; }
    Point ScreenToClient(Point screen) const override { return screen; }
    void SetShape(const Region& shape) override { shapes.push_back(shape); }
    void RepaintNow() override {}
    void Present(const Surface& backBuffer, const Palette* palette) override {
        presented.push_back(Presented{backBuffer, palette});
    }
    void RunMoveLoop(Point) override {}
    void TrackPopupMenu(const Menu&, Point) override {}
    void PostClose() override {}
    void Destroy() override {}
    bool IsDestroyed() const override { return false; }
};

}  // namespace mascot::test
