#include "FrameFixture.h"
#include "ModalHelper.h"
#include "dialogs/ClosingDayDlg.h"
#include "dialogs/ColorSelectDlg.h"

#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
struct EditCase {
    const char* name;
    const char* text;
    const char* message; // nullptr: accepted
    int day;
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

class ClosingDayEditTest : public testing::TestWithParam<EditCase> {};

// Opened with the day selected; a refused text stays open with a message, back in the edit and all
// selected, the day unchanged.
TEST_P(ClosingDayEditTest, ReadsOrRefusesAndStaysOpen)
{
    const EditCase& c = GetParam();
    CRecordingSink sink;
    CClosingDayDlg dialog(sink, nullptr);
    dialog.m_day = 20;
    WhenModal<CClosingDayDlg>([&](CClosingDayDlg* d) {
        EXPECT_TRUE(d->Edit()->hasFocus());
        EXPECT_EQ(d->Edit()->selectedText(), QStringLiteral("20"));
        d->Edit()->setText(QString::fromUtf8(c.text));
        QTest::keyClick(d->Edit(), Qt::Key_Return);
        EXPECT_EQ(d->isVisible(), c.message != nullptr);
        if (d->isVisible()) {
            EXPECT_EQ(d->Edit()->selectedText(), QString::fromUtf8(c.text));
            d->reject();
        }
    });
    EXPECT_EQ(dialog.exec(), c.message ? QDialog::Rejected : QDialog::Accepted);
    EXPECT_EQ(sink.messages, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(dialog.m_day, c.message ? 20 : c.day);
}

const char* kNotInteger = "整数を入力してください。";
const char* kRange = "1 から 31 迄の整数を入力してください。";

INSTANTIATE_TEST_SUITE_P(
    Dialogs, ClosingDayEditTest,
    testing::Values(EditCase{"BlanksAround", " 25 ", nullptr, 25}, EditCase{"TabsAround", "\t7\t", nullptr, 7},
                    EditCase{"One", "1", nullptr, 1}, EditCase{"ThirtyOne", "31", nullptr, 31},
                    EditCase{"PlusSign", "+5", nullptr, 5}, EditCase{"TrailingLetter", "20a", kNotInteger, 0},
                    EditCase{"Empty", "", kNotInteger, 0}, EditCase{"LoneMinus", "-", kNotInteger, 0},
                    EditCase{"SignedZero", "-0", kNotInteger, 0}, EditCase{"Zero", "0", kRange, 0},
                    EditCase{"ThirtyTwo", "32", kRange, 0}, EditCase{"Negative", "-3", kRange, 0},
                    EditCase{"WouldWrapIntoRange", "4294967297", kNotInteger, 0},
                    EditCase{"HugeNegative", "-99999999999", kNotInteger, 0}),
    [](const auto& info) { return std::string(info.param.name); });

class SettingDialogsTest : public FrameFixture {};

// The real dialogs: the button pressed (Return on the focused one) opens the picker on its colour,
// opaque, and the colour picked is that button's and no other's. All eleven values are written
// whatever the dialogs end with, the modes first: a cancelled picker, a dialog closed without a button.
TEST_F(SettingDialogsTest, AButtonEditsItsOwnColour)
{
    Start();
    const ColorSet before = settings.Colors();
    QColor offered;
    WhenModal<CColorSelectDlg>([&](CColorSelectDlg* d) {
        WhenModal<QColorDialog>([&](QColorDialog* picker) {
            offered = picker->currentColor();
            EXPECT_FALSE(picker->testOption(QColorDialog::ShowAlphaChannel));
            picker->setCurrentColor(QColor(0x56, 0x34, 0x12));
            picker->accept();
        });
        d->Button(IDC_AVE_CLR)->setFocus();
        QTest::keyClick(d->Button(IDC_AVE_CLR), Qt::Key_Return);
    });
    Command(ID_COLOR_SELECT);
    EXPECT_EQ(offered, QColor(255, 0, 0)); // AveClr's default, 0x0000FF
    ColorSet expected = before;
    expected[static_cast<std::size_t>(ColorRole::AveClr)] = 0x123456;
    EXPECT_EQ(settings.Colors(), expected);

    const std::vector<std::string> order{"Window/DayMode", "Window/YenMode", "Window/GraphClr",
        "Window/GraphClr2", "Window/AveClr", "Window/DTotalClr", "Window/MTotalClr", "Window/MTInfoClr",
        "Window/DTotalClrGraph", "Window/MTotalClrGraph", "Window/MTInfoClrGraph"};
    for (const bool buttonPressed : {true, false}) {
        profile.ClearWrites();
        WhenModal<CColorSelectDlg>([&](CColorSelectDlg* d) {
            if (!buttonPressed)
                return d->reject();
            WhenModal<QColorDialog>([](QColorDialog* picker) {
                picker->setCurrentColor(Qt::blue);
                picker->reject();
            });
            d->Button(IDC_AVE_CLR)->setFocus();
            QTest::keyClick(d->Button(IDC_AVE_CLR), Qt::Key_Return);
        });
        Command(ID_COLOR_SELECT);
        EXPECT_EQ(WrittenEntries(profile), order) << buttonPressed;
    }
    EXPECT_EQ(settings.Colors(), expected);
}

// Cancelled, the day in force is written again; confirmed, the new day shows and is kept.
TEST_F(SettingDialogsTest, ClosingDayThroughTheRealDialog)
{
    Start("96/11/25 10:00:00  OUT00:01:40      100 0\r\n");
    WhenModal<CClosingDayDlg>([](CClosingDayDlg* d) {
        d->Edit()->setText(QStringLiteral("5"));
        d->reject();
    });
    Command(ID_CLOSING_DAY);
    EXPECT_EQ(frame->PaneText(StatusPane::ClosingDay), QStringLiteral(" 〆20 "));
    EXPECT_EQ(profile.Writes(), (std::vector<CMemoryProfileStore::Write>{{"Option", "Simekiri", "20"}}));
    WhenModal<CClosingDayDlg>([](CClosingDayDlg* d) {
        d->Edit()->setText(QStringLiteral("31"));
        QTest::keyClick(d->Edit(), Qt::Key_Return);
    });
    Command(ID_CLOSING_DAY);
    EXPECT_EQ(doc->GetClosingDay(), 31);
    EXPECT_EQ(frame->PaneText(StatusPane::ClosingDay), QStringLiteral(" 〆31 "));
    EXPECT_EQ(settings.ClosingDay(), 31);
}
} // namespace
