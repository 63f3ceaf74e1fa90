#pragma once
// Every setting the program keeps between runs: section, value name, kind and default.
// Nobody else spells a settings key; each owner reads and writes through the accessors here.
// The value names are the ones existing settings files carry ("Simekiri" is the closing day,
// "VamloLogPath" the charge file), so they keep working.

#include "platform/core/ColorRef.h"
#include "platform/core/ProfileStore.h"

#include <array>
#include <cstdint>
#include <string>

class QByteArray;


// The nine display colours, in the order they are read and written.
enum class ColorRole { GraphClr, GraphClr2, AveClr, DTotalClr, MTotalClr, MTInfoClr,
                       DTotalClrGraph, MTotalClrGraph, MTInfoClrGraph };
inline constexpr int kColorCount = 9;
using ColorSet = std::array<ColorRef, kColorCount>;

// The period shown, stored as "DayMode": any value but 0 shows the 30 days.
enum class Period : std::int32_t { Month = 0, Day = 1 };
// The unit shown, stored as "YenMode": a value outside these shows no graph and marks no unit.
enum class Unit : std::int32_t { Yen = 0, Time = 1, Count = 2 };
inline bool IsDayPeriod(Period period) { return period != Period::Month; }

class CSettings {
public:
    // The stored path when no charge file was ever chosen: a settings file that carries it means
    // "none", and it is never opened.
    static constexpr const char* kNoLogPath = "hogehoge";
    static constexpr std::int32_t kDefaultPosition = INT32_MIN; // 0x80000000: the system chooses
    static constexpr int kRecentFileCount = 4;

    explicit CSettings(IProfileStore& store) : m_store(store) {}

    std::string LogPath() const;
    void SetLogPath(const std::string& path);
    std::int32_t ClosingDay() const;
    void SetClosingDay(std::int32_t day);

    std::int32_t Xpos() const;
    std::int32_t Ypos() const;
    void SetPosition(std::int32_t x, std::int32_t y); // Xpos, then Ypos
    std::int32_t TopMost() const;
    void SetTopMost(std::int32_t topMost);
    Period DayMode() const;
    void SetDayMode(Period dayMode);
    Unit UnitMode() const;
    void SetUnitMode(Unit unitMode);
    ColorRef Color(ColorRole role) const;
    void SetColor(ColorRole role, ColorRef color);
    // All nine, read and written in the order of ColorRole.
    ColorSet Colors() const;
    void SetColors(const ColorSet& colors);

    std::string RecentFile(int index) const; // index 0..3, newest first
    void SetRecentFile(int index, const std::string& path);
    std::int32_t PreviewPages() const;
    void SetPreviewPages(std::int32_t pages);

    // The bar layout, saved under the name "General": the window's opaque state, sealed with a
    // checksum (empty when what is stored is damaged), and the status bar's visibility.
    QByteArray BarLayout() const;
    void SetBarLayout(const QByteArray& state);
    std::int32_t StatusBarVisible() const;
    void SetStatusBarVisible(std::int32_t visible);

private:
    IProfileStore& m_store;
};
