#include "FrameFixture.h"

#include "ModalHelper.h"
#include "dialogs/DetailDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextBrowser>

namespace {
struct ModeCase {
    const char* name;
    int command;
    StatusPane pane;
    const char* paneText;
    const char* entry;
    const char* value;
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class ModeCommandTest : public FrameFixture, public testing::WithParamInterface<ModeCase> {};

// Choosing the mode in force repeats every step: the pane, the marks of its group, one value written.
TEST_P(ModeCommandTest, SetsPaneMarksAndWritesOneValue)
{
    const ModeCase& c = GetParam();
    const std::vector<int> group = c.pane == StatusPane::Period ? std::vector{ID_PERIOD_MONTH, ID_PERIOD_DAY}
                                                                : std::vector{ID_UNIT_YEN, ID_UNIT_TIME, ID_UNIT_COUNT};
    Start();
    for (int round = 0; round < 2; ++round) {
        profile.ClearWrites();
        Command(c.command);
        EXPECT_EQ(frame->PaneText(c.pane), QString::fromUtf8(c.paneText));
        EXPECT_EQ(profile.Writes(), (std::vector<CMemoryProfileStore::Write>{{"Window", c.entry, c.value}}));
        for (const int id : group)
            EXPECT_EQ(Checked(id), id == c.command) << id;
    }
}

INSTANTIATE_TEST_SUITE_P(
    View, ModeCommandTest,
    testing::Values(ModeCase{"Month", ID_PERIOD_MONTH, StatusPane::Period, " 月 ", "DayMode", "0"},
                    ModeCase{"Day", ID_PERIOD_DAY, StatusPane::Period, " 日 ", "DayMode", "1"},
                    ModeCase{"Charge", ID_UNIT_YEN, StatusPane::Unit, " 料金 ", "YenMode", "0"},
                    ModeCase{"Time", ID_UNIT_TIME, StatusPane::Unit, " 時間 ", "YenMode", "1"},
                    ModeCase{"Count", ID_UNIT_COUNT, StatusPane::Unit, " 回数 ", "YenMode", "2"}),
    [](const auto& info) { return std::string(info.param.name); });

class ViewCommandsTest : public FrameFixture {};

TEST_F(ViewCommandsTest, ReloadRetriesAFailedLoadWithoutRebuildingLabels)
{
    Start();
    std::filesystem::remove(folder.Path("log"));
    Command(ID_RELOAD);
    EXPECT_TRUE(doc->IsLoadFailed());
    EXPECT_EQ(sink.messages.size(), 1u);
    folder.Write("log", "96/12/20 10:00:00  OUT00:01:40      300 0\r\n");
    // The file's return may be told (and read) meanwhile, on the 20th; only Ctrl+R sees the new day.
    lookTime = clock.Now();
    clock.Set(LocalNoon({1996, 12, 21}));
    Command(ID_RELOAD);
    EXPECT_FALSE(doc->IsLoadFailed());
    EXPECT_STREQ(doc->GetDayLabel(29), "96/12/20");
    EXPECT_EQ(doc->GetDayYen(29), 300);
}

// A call appended while the day table is open: the table takes the load, and Ctrl+C gives what it
// shows to other programs, as tab-separated text and as an HTML table whose times are durations.
TEST_F(ViewCommandsTest, DetailDialogTakesALoadMadeUnderItAndCopiesWhatItShows)
{
    Start();
    WhenModal<CDetailDlg>([&](CDetailDlg* dialog) {
        AppendTo(folder.Path("log"), "96/12/20 11:00:00  OUT00:01:40      250 0\r\n");
        follower->Look(true);
        Loaded();
        QTest::keyClick(dialog, Qt::Key_C, Qt::ControlModifier);
        dialog->accept();
    });
    Command(ID_DETAIL);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    const QStringList rows = copied->text().split(QLatin1Char('\n'));
    ASSERT_EQ(rows.size(), 1 + 30 + 2 + 1);
    EXPECT_EQ(rows[0], QStringLiteral("日付\t回数\t時間\t料金"));
    EXPECT_EQ(rows[30], QStringLiteral("96/12/20\t2\t0:03:20\t350"));
    EXPECT_EQ(rows[31], QStringLiteral("過去30日の合計\t2\t0:03:20\t350"));
    EXPECT_EQ(rows[32], QStringLiteral("一日当たりの平均\t0\t0:00:06\t11"));
    EXPECT_TRUE(copied->html().contains(QStringLiteral("<tr><td>96/12/20</td><td>2</td><td sdval=\"0.00231481481481481\" "
                                                       "sdnum=\"1033;0;[HH]:MM:SS\" style=\"mso-number-format:'\\[h\\]\\:mm\\:ss'\">"
                                                       "0:03:20</td><td>350</td></tr>")))
        << copied->html().toStdString();
}

TEST_F(ViewCommandsTest, HelpWithoutItsFileSaysSoAndOpensWithIt)
{
    Start();
    frame->HelpViewer().SetHelpFile(folder.Path("none.html").c_str());
    Command(ID_HELP_FINDER);
    EXPECT_EQ(sink.messages, std::vector<std::string>{kHelpFailedMessage});

    frame->HelpViewer().SetHelpFile(QString::fromStdString(folder.Write("pelora.html", "<a name=\"topic27\"></a>")));
    Command(ID_HELP_QUICK);
    EXPECT_TRUE(frame->HelpViewer().IsOpen());
    EXPECT_EQ(frame->HelpViewer().CurrentAnchor(), "topic27");
    EXPECT_EQ(sink.messages.size(), 1u);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QTextBrowser*>(window) && window->isVisible())
            QTest::keyClick(window, Qt::Key_Escape);
    }
    EXPECT_FALSE(frame->HelpViewer().IsOpen());
}

} // namespace
