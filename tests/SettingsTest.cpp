#include "settings/Settings.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {
// Qt's restoreState can loop on damaged bytes, so a layout comes back only as it was written.
TEST(SettingsTest, BarLayoutComesBackOnlyWhenItsSealHolds)
{
    CMemoryProfileStore profile;
    CSettings settings(profile);
    const QByteArray state = QByteArray("tool bar on the right, status bar shown").repeated(3);
    settings.SetBarLayout(state);
    EXPECT_EQ(settings.BarLayout(), state);

    const std::string stored = profile.GetProfileString("General", "State", "");
    for (const std::size_t at : {stored.size() - 5, stored.size() / 2, std::size_t{2}, std::size_t{0}}) {
        std::string damaged = stored;
        damaged[at] = damaged[at] == 'A' ? 'B' : 'A';
        profile.WriteProfileString("General", "State", damaged);
        EXPECT_TRUE(settings.BarLayout().isEmpty()) << "changed at " << at;
    }
    profile.WriteProfileString("General", "State", state.toBase64().toStdString()); // no seal at all
    EXPECT_TRUE(settings.BarLayout().isEmpty());
}
} // namespace
