#include "TestSupport.h"
#include "app/CommandLine.h"
#include "app/Report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

// The report on the scratch folder's log (one call on 15 December 1996 unless a test writes another).
class ReportTest : public testing::Test {
protected:
    CScratchFolder folder;
    const std::string path = folder.Write("log", "96/12/15 10:23:45  OUT00:03:20    1,230 0312345678\r\n");
    QString out;

    int Run(const CivilDate& today, int closingDay, bool json, bool csv = false)
    {
        QString err;
        QTextStream outStream(&out), errStream(&err);
        ReportOptions options{QString::fromStdString(path), today, closingDay, json};
        options.csv = csv;
        const int status = RunReport(options, outStream, errStream);
        outStream.flush();
        return status;
    }
};

TEST_F(ReportTest, TextColumnsLineUpWithDoubleWidthCaptions)
{
    ASSERT_EQ(Run(k1996Dec20, 20, false), 0);
    const QStringList lines = out.split(QLatin1Char('\n'));
    ASSERT_GT(lines.size(), 40);
    EXPECT_EQ(lines[0], QStringLiteral("料金ファイル: ") + QString::fromStdString(path));
    EXPECT_EQ(lines[1], QStringLiteral("今日: 1996年12月20日  〆切日: 20"));
    EXPECT_EQ(lines[3], QStringLiteral("過去30日"));
    // Each Japanese character takes two columns: every row ends in the same column.
    EXPECT_EQ(lines[4], QStringLiteral("            日付        回数         時間           料金"));
    EXPECT_EQ(lines[29], QStringLiteral("        96/12/15        1 回      0:03:20        1230 円"));
    EXPECT_EQ(lines[35], QStringLiteral("            最大        1 回      0:03:20        1230 円"));
    EXPECT_EQ(lines[36], QStringLiteral("一日当たりの平均        0 回      0:00:06          41 円"));
    EXPECT_EQ(lines[37], QStringLiteral("  過去30日の合計        1 回      0:03:20        1230 円"));
    EXPECT_EQ(lines[57], QStringLiteral("    今月合計予測        1 回      0:03:26        1271 円"));
}

TEST_F(ReportTest, JsonHasTheDocumentedShape)
{
    ASSERT_EQ(Run(k1996Dec20, 20, true), 0);
    EXPECT_TRUE(out.startsWith(R"({"format": 2, "today": "1996-12-20", "closing_day": 20, "previous_month_label": "95/12", )"
                                   R"("days": {"labels": ["96/11/21", )"));
    const QJsonObject root = QJsonDocument::fromJson(out.toUtf8()).object();
    const QJsonObject days = root["days"].toObject(), months = root["months"].toObject();
    EXPECT_EQ(days["dates"].toArray()[24].toString(), "1996-12-15");
    EXPECT_EQ(days["yen"].toObject()["slots"].toArray()[24].toInteger(), 1230);
    EXPECT_EQ(days["seconds"].toObject()["total"].toInteger(), 200);
    EXPECT_EQ(months["labels"].toArray().size(), 12);
    EXPECT_EQ(months["starts"].toArray()[11].toString(), "1996-11-21");
    EXPECT_EQ(months["ends"].toArray()[11].toString(), "1996-12-20");
    EXPECT_EQ(months["count"].toObject()["max"].toInteger(), 1);
    EXPECT_EQ(months["yen"].toObject()["average"].toInteger(), 102);
    EXPECT_EQ(root["forecast"].toObject()["yen"].toInteger(), 1271);
}

// Ready for a spreadsheet: a header, the 30 days, then the 12 billing months with their dates.
TEST_F(ReportTest, CsvHasADayOrMonthPerRecord)
{
    folder.Write("log", "97/02/27 10:23:45  OUT00:03:20    1,230 0312345678\r\n");
    Run({1997, 3, 5}, 30, false, true);
    const QStringList records = out.split(QStringLiteral("\r\n"));
    ASSERT_EQ(records.size(), 1 + 30 + 12 + 1);
    EXPECT_EQ(records[0], "period,start,end,calls,seconds,yen");
    EXPECT_EQ(records[24], "day,1997-02-27,1997-02-27,1,200,1230");
    EXPECT_EQ(records[30], "day,1997-03-05,1997-03-05,0,0,0");
    // Closing day 30: February's billing month ends on its last day, March's on the 30th.
    EXPECT_EQ(records[41], "month,1997-01-31,1997-02-28,1,200,1230");
    EXPECT_EQ(records[42], "month,1997-03-01,1997-03-30,0,0,0");
    EXPECT_EQ(records[43], "");
}

// Samoa skipped 30 December 2011: the report still tallies the day it was asked for.
TEST_F(ReportTest, DateTheLocalCalendarSkipsIsTalliedAsGiven)
{
    const std::optional<QByteArray> zone = qEnvironmentVariableIsSet("TZ") ? std::optional(qgetenv("TZ")) : std::nullopt;
    qputenv("TZ", "Pacific/Apia");
    tzset();
    folder.Write("log", "11/12/30 10:00:00  OUT00:01:40      300 0\r\n11/12/31 10:00:00  OUT00:01:40       70 0\r\n");
    Run({2011, 12, 30}, 31, true);
    const QJsonObject root = QJsonDocument::fromJson(out.toUtf8()).object();
    zone ? qputenv("TZ", *zone) : qunsetenv("TZ");
    tzset();
    EXPECT_EQ(root["today"].toString(), "2011-12-30");
    EXPECT_EQ(root["days"].toObject()["labels"].toArray()[29].toString(), "11/12/30");
    EXPECT_EQ(root["days"].toObject()["yen"].toObject()["slots"].toArray()[29].toInteger(), 300);
}

struct ArgsCase {
    const char* name;
    QStringList args;
    CommandLine::Mode mode;
    int exitCode;
};

TEST(CommandLineTest, ParsesOrRefuses)
{
    const ArgsCase cases[] = {
        {"WindowAlone", {}, CommandLine::Window, 0},
        {"WindowWithFile", {"log"}, CommandLine::Window, 0},
        {"Report", {"--report", "--json", "--today", "1996-12-20", "log"}, CommandLine::Report, 0},
        {"ReportWithoutFile", {"--report"}, CommandLine::Exit, kUsageExitCode},
        {"BadDate", {"--report", "--today", "1996-02-30", "log"}, CommandLine::Exit, kUsageExitCode},
        {"DateBefore1900", {"--report", "--today", "1899-12-31", "log"}, CommandLine::Exit, kUsageExitCode},
        {"SecondFile", {"--report", "log", "other"}, CommandLine::Exit, kUsageExitCode},
        {"BadClosingDay", {"--report", "--closing-day", "x", "log"}, CommandLine::Exit, kUsageExitCode},
        {"UnknownOption", {"--frobnicate"}, CommandLine::Exit, kUsageExitCode},
        {"JsonWithoutReport", {"--json", "log"}, CommandLine::Exit, kUsageExitCode},
        {"CsvWithTheWatch", {"--watch", "--csv", "log"}, CommandLine::Exit, kUsageExitCode},
        {"Render", {"--render", "out.png", "--mode", "month", "--unit", "time", "log"}, CommandLine::Render, 0},
        {"RenderAndReport", {"--render", "out.png", "--report", "log"}, CommandLine::Exit, kUsageExitCode},
        {"BadMode", {"--render", "out.png", "--mode", "week", "log"}, CommandLine::Exit, kUsageExitCode},
        {"UnitWithoutRender", {"--unit", "yen", "log"}, CommandLine::Exit, kUsageExitCode},
        {"FileNamedLikeAnOption", {"--", "--version"}, CommandLine::Window, 0},
        {"QtOptionsForTheWindow", {"-style", "Fusion", "-platform=xcb", "--display", ":1", "log"}, CommandLine::Window, 0},
        {"QtOptionsWithTheReport", {"-style", "Fusion", "--report", "log"}, CommandLine::Exit, kUsageExitCode},
        {"Help", {"--help"}, CommandLine::Exit, 0}};
    for (const ArgsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandLine line = ParseCommandLine(QStringList{"pelora"} + c.args, k1996Dec20, [] { return 25; });
        EXPECT_EQ(line.mode, c.mode);
        EXPECT_EQ(line.exitCode, c.exitCode);
        if (line.exitCode == kUsageExitCode) {
            EXPECT_TRUE(line.output.contains("--report"));
        }
    }
}

// The stored closing day keeps its meaning whatever it is; the command line takes only real days.
TEST(CommandLine, ClosingDayDefaultsToTheStoredOneAndTakesOneToThirtyOne)
{
    const auto parse = [](QStringList args) { return ParseCommandLine(QStringList{"pelora", "--report", "log"} + args, k1996Dec20, [] { return 0; }); };
    EXPECT_EQ(parse({}).report.closingDay, 0);
    EXPECT_EQ(parse({"--closing-day", "31"}).report.closingDay, 31);
    // The help is built before any application object exists, and still names the program.
    EXPECT_TRUE(ParseCommandLine({"pelora", "--help"}, k1996Dec20, [] { return 0; }).output.startsWith("Usage: pelora [options] FILE"));
    for (const char* day : {"0", "32", "-2147483648"})
        EXPECT_EQ(parse({"--closing-day", day}).exitCode, kUsageExitCode) << day;
}
} // namespace
