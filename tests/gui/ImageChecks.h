#pragma once
// Looking at painted pictures: how many pixels of a colour a box holds, and where ink starts and ends.

#include <QImage>
#include <QRect>
#include <algorithm>
#include <climits>
#include <utility>

inline int CountPixels(const QImage& image, const QRect& box, QRgb color)
{
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            n += image.pixel(x, y) == color;
    return n;
}

// The first and last columns of a box that hold anything but the background (INT_MAX, INT_MIN: none).
inline std::pair<int, int> InkColumns(const QImage& image, const QRect& box, QRgb background)
{
    int first = INT_MAX, last = INT_MIN;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (image.pixel(x, y) != background) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}
