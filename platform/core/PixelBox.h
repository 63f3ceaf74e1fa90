#pragma once
// A box in pixels by its four edges, as layouts hand it to the paint.

struct PixelBox {
    int left, top, right, bottom;
    bool operator==(const PixelBox&) const = default;
};
