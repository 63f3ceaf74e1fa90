#include "settings/Settings.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QList>

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
Period CSettings::DayMode() const { return Period{m_store.GetProfileInt(kWindow, "DayMode", 1)}; }
void CSettings::SetDayMode(Period dayMode)
{
    m_store.WriteProfileInt(kWindow, "DayMode", static_cast<std::int32_t>(dayMode));
}
Unit CSettings::UnitMode() const { return Unit{m_store.GetProfileInt(kWindow, "YenMode", 0)}; }
void CSettings::SetUnitMode(Unit unitMode) { m_store.WriteProfileInt(kWindow, "YenMode", static_cast<std::int32_t>(unitMode)); }

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

namespace {
// The state is stored as "1:<checksum>:<base64 state>". Qt's restoreState can loop forever on
// damaged bytes, so only a state whose checksum matches is handed out.
QByteArray LayoutChecksum(const QByteArray& state)
{
    return QCryptographicHash::hash(state, QCryptographicHash::Sha256).toHex().left(16);
}
} // namespace

QByteArray CSettings::BarLayout() const
{
    const QList<QByteArray> parts = QByteArray::fromStdString(m_store.GetProfileString(kBarLayout, "State", "")).split(':');
    if (parts.size() != 3 || parts[0] != "1")
        return {};
    const QByteArray state = QByteArray::fromBase64(parts[2]);
    return LayoutChecksum(state) == parts[1] ? state : QByteArray();
}

void CSettings::SetBarLayout(const QByteArray& state)
{
    m_store.WriteProfileString(kBarLayout, "State", ("1:" + LayoutChecksum(state) + ":" + state.toBase64()).toStdString());
}

std::int32_t CSettings::StatusBarVisible() const { return m_store.GetProfileInt(kBarLayout, "StatusBar", 1); }
void CSettings::SetStatusBarVisible(std::int32_t visible) { m_store.WriteProfileInt(kBarLayout, "StatusBar", visible); }
