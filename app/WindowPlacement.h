#pragma once
// Where a stored window position puts the window, and what a window's position stores. Positions are
// stored in device pixels of the screens (as the system counts them, whatever Qt's scale factor),
// so a place stored at one scale factor comes back at the same spot at another; at factor 1 the two
// units are the same.

#include <QPoint>
#include <QSize>
#include <QRect>
#include <cstdint>
#include <optional>
#include <vector>

class CWindowPlacement {
public:
    // A screen as Qt gives it: geometry and available area in device-independent pixels and its
    // device pixel ratio. Qt keeps each screen's top-left in both units and scales from there.
    struct Screen {
        QRect geometry;
        QRect available;
        double ratio = 1;
    };

    using Screens = std::vector<Screen>;
    // What a window manager's frame may add around the window, in device pixels: title and borders.
    static constexpr QSize kFrameAllowance{8, 32};

    // The device-independent top-left for a window of this (device-independent) size stored at
    // these device pixels, or none when the system is to choose: nothing stored, or a place on no
    // screen. A place that would leave the window mostly off its screen, or its title above it,
    // is moved the least that puts the window wholly on that screen; the stored place is kept for
    // a later start that it suits (another scale factor, the screen back).
    std::optional<QPoint> Restore(std::int32_t x, std::int32_t y, QSize size, const Screens& screens);
    // The device pixels to store for a device-independent top-left. Until the window is moved
    // elsewhere, the place Restore gave maps back to what was stored, give or take the pixel Qt's
    // rounding of the window frame adds at a scale factor: neither that rounding nor a place moved
    // onto the screen changes what is stored.
    QPoint ToStored(QPoint position, const Screens& screens);

private:
    std::optional<std::pair<QPoint, QPoint>> m_restored; // device-independent place, stored place
};
