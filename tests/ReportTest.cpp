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

// Each format whole, against tests/golden (the log's path written as LOG): the text's columns
// lined up with double-width captions; the JSON in its documented shape; the CSV a record a day or
// month, where for closing day 30 February's billing month ends on its last day, March's on the 30th.
TEST_F(ReportTest, EachFormatIsItsGoldenReport)
{
    const struct {
        const char* golden;
        CivilDate today;
        int closingDay;
        bool json, csv;
    } cases[] = {{"report.txt", k1996Dec20, 20, false, false},
                 {"report.json", k1996Dec20, 20, true, false},
                 {"report.csv", {1997, 3, 5}, 30, false, true}};
    folder.Write("log", "96/12/15 10:23:45  OUT00:03:20    1,230 0312345678\r\n"
                        "97/02/27 10:23:45  OUT00:03:20      970 0312345678\r\n");
    for (const auto& c : cases) {
        out.clear();
        ASSERT_EQ(Run(c.today, c.closingDay, c.json, c.csv), 0);
        ExpectGolden(c.golden, out.replace(QString::fromStdString(path), QStringLiteral("LOG")).toStdString());
    }
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
    // Options the parser refuses are named.
    for (const QStringList& args : {QStringList{"--frobnicate"}, QStringList{"-q"}, QStringList{"--render"}}) {
        const QString output = ParseCommandLine(QStringList{"pelora"} + args, k1996Dec20, [] { return 25; }).output;
        EXPECT_TRUE(output.startsWith("pelora: " + args.first() + " ")) << output.toStdString();
    }
    for (const ArgsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandLine line = ParseCommandLine(QStringList{"pelora"} + c.args, k1996Dec20, [] { return 25; });
        EXPECT_EQ(line.mode, c.mode);
        EXPECT_EQ(line.exitCode, c.exitCode);
        if (line.exitCode == kUsageExitCode) { // one line: the fault, and where the help is
            EXPECT_EQ(line.output.count('\n'), 1) << line.output.toStdString();
            EXPECT_TRUE(line.output.contains("pelora --help"));
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
