#include "settings/Settings.h"

namespace {
const std::string kWindow = "Window";
const std::string kOption = "Option";
const std::string kFile = "File";
const std::string kRecentFiles = "Recent File List";
const std::string kFrameworkSettings = "Settings";
const std::string kBarLayout = "General";

struct ColorEntry {
    const char* name;
    ColorRef defaultValue;
};
constexpr std::array<ColorEntry, kColorCount> kColors{{
    {"GraphClr", 0x808000},
    {"GraphClr2", 0x008000},
    {"AveClr", 0x0000FF},
    {"DTotalClr", 0},
    {"MTotalClr", 0},
    {"MTInfoClr", 0},
    {"DTotalClrGraph", 0x008000},
    {"MTotalClrGraph", 0x008000},
    {"MTInfoClrGraph", 0xFFFFFF},
}};

const ColorEntry& Entry(ColorRole role)
{
    return kColors[static_cast<std::size_t>(role)];
}
} // namespace

std::string CSettings::LogPath() const { return m_store.GetProfileString(kFile, "VamloLogPath", kNoLogPath); }
void CSettings::SetLogPath(const std::string& path) { m_store.WriteProfileString(kFile, "VamloLogPath", path); }
std::int32_t CSettings::ClosingDay() const { return m_store.GetProfileInt(kOption, "Simekiri", 31); }
void CSettings::SetClosingDay(std::int32_t day) { m_store.WriteProfileInt(kOption, "Simekiri", day); }

std::int32_t CSettings::Xpos() const { return m_store.GetProfileInt(kWindow, "Xpos", kDefaultPosition); }
std::int32_t CSettings::Ypos() const { return m_store.GetProfileInt(kWindow, "Ypos", kDefaultPosition); }
void CSettings::SetPosition(std::int32_t x, std::int32_t y)
{
    m_store.WriteProfileInt(kWindow, "Xpos", x);
    m_store.WriteProfileInt(kWindow, "Ypos", y);
}
std::int32_t CSettings::TopMost() const { return m_store.GetProfileInt(kWindow, "TopMost", 0); }
void CSettings::SetTopMost(std::int32_t topMost) { m_store.WriteProfileInt(kWindow, "TopMost", topMost); }
std::int32_t CSettings::DayMode() const { return m_store.GetProfileInt(kWindow, "DayMode", 1); }
void CSettings::SetDayMode(std::int32_t dayMode) { m_store.WriteProfileInt(kWindow, "DayMode", dayMode); }
std::int32_t CSettings::YenMode() const { return m_store.GetProfileInt(kWindow, "YenMode", 0); }
void CSettings::SetYenMode(std::int32_t yenMode) { m_store.WriteProfileInt(kWindow, "YenMode", yenMode); }

ColorRef CSettings::Color(ColorRole role) const
{
    const ColorEntry& entry = Entry(role);
    return static_cast<ColorRef>(
        m_store.GetProfileInt(kWindow, entry.name, static_cast<std::int32_t>(entry.defaultValue)));
}
void CSettings::SetColor(ColorRole role, ColorRef color)
{
    m_store.WriteProfileInt(kWindow, Entry(role).name, static_cast<std::int32_t>(color));
}
ColorSet CSettings::Colors() const
{
    ColorSet colors{};
    for (std::size_t i = 0; i < colors.size(); ++i)
        colors[i] = Color(static_cast<ColorRole>(i));
    return colors;
}
void CSettings::SetColors(const ColorSet& colors)
{
    for (std::size_t i = 0; i < colors.size(); ++i)
        SetColor(static_cast<ColorRole>(i), colors[i]);
}

std::string CSettings::RecentFile(int index) const
{
    return m_store.GetProfileString(kRecentFiles, "File" + std::to_string(index + 1), "");
}
void CSettings::SetRecentFile(int index, const std::string& path)
{
    m_store.WriteProfileString(kRecentFiles, "File" + std::to_string(index + 1), path);
}
std::int32_t CSettings::PreviewPages() const { return m_store.GetProfileInt(kFrameworkSettings, "PreviewPages", 0); }
void CSettings::SetPreviewPages(std::int32_t pages) { m_store.WriteProfileInt(kFrameworkSettings, "PreviewPages", pages); }

std::string CSettings::BarLayout() const { return m_store.GetProfileString(kBarLayout, "State", ""); }
void CSettings::SetBarLayout(const std::string& state) { m_store.WriteProfileString(kBarLayout, "State", state); }
std::int32_t CSettings::StatusBarVisible() const { return m_store.GetProfileInt(kBarLayout, "StatusBar", 1); }
void CSettings::SetStatusBarVisible(std::int32_t visible) { m_store.WriteProfileInt(kBarLayout, "StatusBar", visible); }
