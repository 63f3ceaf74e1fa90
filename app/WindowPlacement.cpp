#include "app/WindowPlacement.h"

#include "settings/Settings.h"

#include <algorithm>
#include <cmath>

namespace {
// Rectangles in 64 bits: a stored 2147483647 plus a width must not wrap.
struct Box {
    std::int64_t left, top, width, height;
    std::int64_t Overlap(const Box& o) const
    {
        const std::int64_t w = std::min(left + width, o.left + o.width) - std::max(left, o.left);
        const std::int64_t h = std::min(top + height, o.top + o.height) - std::max(top, o.top);
        return w > 0 && h > 0 ? w * h : 0;
    }
};

std::int64_t ToDevice(std::int64_t origin, std::int64_t value, double ratio)
{
    return origin + std::llround(static_cast<double>(value - origin) * ratio);
}

std::int64_t FromDevice(std::int64_t origin, std::int64_t value, double ratio)
{
    return origin + static_cast<std::int64_t>(std::floor(static_cast<double>(value - origin) / ratio));
}

Box DeviceArea(const CWindowPlacement::Screen& s)
{
    const QPoint o = s.geometry.topLeft();
    const QRect& a = s.available;
    return {ToDevice(o.x(), a.left(), s.ratio), ToDevice(o.y(), a.top(), s.ratio),
            std::llround(a.width() * s.ratio), std::llround(a.height() * s.ratio)};
}

// The screen holding the position, else the nearest one.
const CWindowPlacement::Screen* ScreenFor(QPoint position, const CWindowPlacement::Screens& screens)
{
    const CWindowPlacement::Screen* nearest = nullptr;
    std::int64_t distance = 0;
    for (const CWindowPlacement::Screen& s : screens) {
        const QRect& g = s.geometry;
        const std::int64_t dx = std::max<std::int64_t>({0, std::int64_t{g.left()} - position.x(), std::int64_t{position.x()} - g.right()});
        const std::int64_t dy = std::max<std::int64_t>({0, std::int64_t{g.top()} - position.y(), std::int64_t{position.y()} - g.bottom()});
        if (!nearest || dx + dy < distance) {
            nearest = &s;
            distance = dx + dy;
        }
    }
    return nearest;
}
} // namespace

std::optional<QPoint> CWindowPlacement::Restore(std::int32_t x, std::int32_t y, QSize size, const Screens& screens)
{
    if (x == CSettings::kDefaultPosition || y == CSettings::kDefaultPosition)
        return std::nullopt;
    // The window with its frame, in device pixels on this screen.
    const auto outer = [&](const Screen& s) {
        return Box{x, y, std::llround(size.width() * s.ratio) + kFrameAllowance.width(),
                   std::llround(size.height() * s.ratio) + kFrameAllowance.height()};
    };
    const Screen* best = nullptr;
    std::int64_t bestOverlap = 0;
    for (const Screen& s : screens) {
        if (const std::int64_t overlap = outer(s).Overlap(DeviceArea(s)); overlap > bestOverlap) {
            best = &s;
            bestOverlap = overlap;
        }
    }
    if (!best)
        return std::nullopt;
    const Box area = DeviceArea(*best);
    const Box window = outer(*best);
    std::int64_t left = x, top = y;
    if (2 * bestOverlap < window.width * window.height || top < area.top) {
        left = std::max(area.left, std::min(left, area.left + area.width - window.width));
        top = std::max(area.top, std::min(top, area.top + area.height - window.height));
    }
    const QPoint o = best->geometry.topLeft();
    const QPoint place(static_cast<int>(FromDevice(o.x(), left, best->ratio)), static_cast<int>(FromDevice(o.y(), top, best->ratio)));
    m_restored.emplace(place, QPoint(x, y));
    return place;
}

QPoint CWindowPlacement::ToStored(QPoint position, const Screens& screens)
{
    if (m_restored) {
        const QPoint off = position - m_restored->first;
        if (std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1)
            return m_restored->second;
        m_restored.reset();
    }
    const Screen* s = ScreenFor(position, screens);
    if (!s)
        return position;
    const QPoint o = s->geometry.topLeft();
    const auto clamp = [](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN + 1, INT32_MAX)); };
    return {clamp(ToDevice(o.x(), position.x(), s->ratio)), clamp(ToDevice(o.y(), position.y(), s->ratio))};
}
