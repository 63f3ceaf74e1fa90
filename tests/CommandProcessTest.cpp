// The program as a real process without a display: --render against the view painted in this
// process, and the exit status of each way a command can end.

#include "TestSupport.h"
#include "platform/core/FileWatch.h"
#include "view/PeloraView.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {
class CommandProcessTest : public testing::Test {
protected:
    CScratchFolder folder;
    const std::string log = folder.Write("log", "97/03/20 10:00:00  OUT00:01:40      700 0\r\n"
                                                "97/03/02 10:00:00  OUT01:01:40    1,300 0\r\n");

    // Without a display, on settings of the test's own.
    void Start(QProcess& process, const QStringList& args, const QString& output = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"}) // as from cron
            env.remove(name);
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.Path("config").string()));
        process.setProcessEnvironment(env);
        if (!output.isEmpty())
            process.setStandardOutputFile(output);
        process.start(PELORA_BINARY, args);
    }

    int Run(const QStringList& args, const QString& output = QString())
    {
        QProcess process;
        Start(process, args, output);
        EXPECT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return process.exitCode();
    }

    // A watch's next line on the channel, empty when none comes within 20 s.
    static QByteArray NextLine(QProcess& watch, QProcess::ProcessChannel channel = QProcess::StandardOutput)
    {
        watch.setReadChannel(channel);
        while (!watch.canReadLine())
            if (!watch.waitForReadyRead(20000))
                return QByteArray();
        return watch.readLine();
    }
};

// Two renders at once to one target, beside what a render killed half-way left: both end well.
TEST_F(CommandProcessTest, WritesTheViewAsAnOpaque249By211Png)
{
    const QString out = QString::fromStdString(folder.Path("out.png").string());
    folder.Write("out.png.partial", "left by a render killed half-way");
    QProcess renders[2];
    for (QProcess& render : renders)
        Start(render, {"--render", out, "--mode", "month", "--unit", "time", "--today", "1997-03-20",
                       "--closing-day", "20", QString::fromStdString(log)});
    for (QProcess& render : renders)
        EXPECT_TRUE(render.waitForFinished(20000) && render.exitCode() == 0) << render.readAllStandardError().toStdString();
    const QImage written(out);
    EXPECT_EQ(written.format(), QImage::Format_RGB32); // 8 bits a sample, no alpha

    // The same paint code as the window: identical to the view painted here.
    DocFixture fixture;
    CSettings settings(fixture.profile);
    settings.SetDayMode(Period::Month);
    settings.SetUnitMode(Unit::Time);
    fixture.Open(log, 20, k1997Mar20);
    CPeloraView view(*fixture.doc, nullptr, settings);
    QImage painted(249, 211, QImage::Format_RGB32);
    view.render(&painted);
    EXPECT_EQ(written, painted);
}

// "--render -" writes the same PNG to standard output, and nothing else is printed (as from cron,
// without a runtime folder); an output that cannot take it ends with 74.
TEST_F(CommandProcessTest, RenderToStandardOutputPrintsThePngAlone)
{
    const QStringList args{"--today", "1997-03-20", QString::fromStdString(log)};
    const QString file = QString::fromStdString(folder.Path("o.png").string());
    ASSERT_EQ(Run(QStringList{"--render", file} + args), 0);
    QProcess render;
    Start(render, QStringList{"--render", "-"} + args);
    ASSERT_TRUE(render.waitForFinished(20000));
    EXPECT_EQ(render.exitCode(), 0);
    EXPECT_EQ(render.readAllStandardOutput().toStdString(), ReadFile(file.toStdString()));
    EXPECT_EQ(render.readAllStandardError(), QByteArray());
    EXPECT_EQ(Run(QStringList{"--render", "-"} + args, "/dev/full"), 74);
}

TEST_F(CommandProcessTest, ReportAndRenderLeaveADamagedSettingsFileAlone)
{
    const std::string damaged = "[Option\nSimekiri=\xff\xfe\n";
    const std::string settings = folder.Write("config/Brisolt/Pelora.conf", damaged);
    EXPECT_EQ(Run({"--report", QString::fromStdString(log)}), 0);
    EXPECT_EQ(Run({"--render", QString::fromStdString(folder.Path("o.png").string()), QString::fromStdString(log)}), 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("config/Brisolt")), {}), 1); // no backup
    EXPECT_EQ(ReadFile(settings), damaged);
}

TEST_F(CommandProcessTest, WatchPrintsTheReportAgainAfterEveryChange)
{
    const QStringList dateAndDay{"--json", "--today", "1997-03-20", "--closing-day", "20", QString::fromStdString(log)};
    auto report = [&] {
        QProcess once;
        once.start(PELORA_BINARY, QStringList{"--report"} + dateAndDay);
        EXPECT_TRUE(once.waitForFinished(20000));
        return once.readAllStandardOutput();
    };
    QProcess watch;
    watch.start(PELORA_BINARY, QStringList{"--watch"} + dateAndDay);
    EXPECT_EQ(NextLine(watch), report());
    AppendTo(log, "97/03/20 11:00:00  OUT00:01:40      250 0\r\n");
    EXPECT_EQ(NextLine(watch), report());

    // A vanished file: one line on standard error, the report again once it is back. The minute's
    // look would find it too, but only after a minute: the system must tell it long before.
    const std::string content = ReadFile(log);
    std::filesystem::remove(log);
    // (The reason is in the system's words, which follow the desktop's language.)
    EXPECT_TRUE(NextLine(watch, QProcess::StandardError).startsWith(QByteArray::fromStdString(log + ": ")));
    folder.Write("log", content);
    EXPECT_EQ(NextLine(watch), report());

    // Ended by a hang-up (a session ending): in order, with 0.
    ::kill(watch.processId(), SIGHUP);
    ASSERT_TRUE(watch.waitForFinished(20000));
    EXPECT_EQ(watch.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(watch.exitCode(), 0);
    EXPECT_EQ(watch.readAllStandardError(), QByteArray()); // the vanished file was told once
}

// A file whose name is not UTF-8, and the path made anew after its folder's parent was renamed:
// each change is told by the system, its report printed before the minute's look could come. The
// commands run in bash, in the scratch folder, with the file's name in $F (given in printf's
// escapes: QProcess passes only text) and the program in $1.
TEST_F(CommandProcessTest, WatchFollowsANameNotUtf8AndAFolderAboveRenamed)
{
    const QString append = "printf '97/03/20 11:00:00  OUT00:01:40      250 0\\r\\n' >>\"$F\"";
    const struct {
        const char* file;
        QStringList changes; // each reported before the next is made
    } cases[] = {{"\\xff\\xfe.log", {append, append}},
                 {"s/a/b/log",
                  {"mv s/a s/a2 && mkdir -p s/a/b && printf '97/03/20 12:00:00  OUT00:00:40      90 0\\r\\n' >\"$F\"", append}}};
    const QString options = " --json --today 1997-03-20 --closing-day 20 \"$F\"";
    for (const auto& c : cases) {
        const auto bash = [&](QProcess& process, const QString& command) {
            process.setWorkingDirectory(QString::fromStdString(folder.Path("").string()));
            process.start("bash", {"-c", "F=$(printf %b \"$0\"); " + command, c.file, PELORA_BINARY});
        };
        const auto run = [&](const QString& command) {
            QProcess process;
            bash(process, command);
            EXPECT_TRUE(process.waitForFinished(20000));
            return process.readAllStandardOutput();
        };
        run("mkdir -p \"$(dirname \"$F\")\" && cp log \"$F\"");
        QElapsedTimer sinceStart;
        sinceStart.start();
        QProcess watch;
        bash(watch, "exec \"$1\" --watch" + options);
        for (const QString& change : QStringList{""} + c.changes) {
            run(change);
            const QByteArray report = run("exec \"$1\" --report" + options);
            QByteArray line; // a look made half-way through a change may print one more report first
            while (line != report && !(line = NextLine(watch)).isEmpty()) {
            }
            EXPECT_EQ(line, report) << c.file << ": " << change.toStdString();
            EXPECT_LT(sinceStart.elapsed(), CFileWatch::kMinute) << c.file;
        }
        watch.terminate();
        EXPECT_TRUE(watch.waitForFinished(20000));
    }
}

// Each way a session or a user ends a watch, during its first load of a 1 TiB (sparse) log: ended
// in order with 0, nothing printed.
TEST_F(CommandProcessTest, SignalDuringTheFirstLoadEndsTheWatchInOrder)
{
    std::filesystem::resize_file(log, std::uintmax_t{1} << 40);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        QProcess watch;
        watch.start(PELORA_BINARY, {"--watch", QString::fromStdString(log)});
        ASSERT_TRUE(watch.waitForStarted(20000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return IsReadingFile(watch.processId(), log); }, 20000));
        ::kill(watch.processId(), signal);
        ASSERT_TRUE(watch.waitForFinished(20000)) << signal;
        EXPECT_EQ(watch.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(watch.exitCode(), 0) << signal;
        EXPECT_EQ(watch.readAll(), QByteArray()) << signal;
    }
}

// `pelora --watch FILE | head -1`, or a reader gone before the first report: the watch ends with
// 74, and quietly, since nobody is left to read why.
TEST_F(CommandProcessTest, WatchEndsQuietlyWhenItsReaderHasGone)
{
    for (const char* reader : {"head -1 >/dev/null", "true"}) {
        QProcess shell;
        shell.start("bash", {"-c", QStringLiteral("\"$0\" --watch \"$1\" | %1; exit ${PIPESTATUS[0]}").arg(reader),
                             PELORA_BINARY, QString::fromStdString(log)});
        ASSERT_TRUE(shell.waitForFinished(10000));
        EXPECT_EQ(shell.exitCode(), 74) << reader;
        EXPECT_EQ(shell.readAllStandardError(), QByteArray()) << reader;
    }
}

// A watch left idle sleeps until something happens: on a pipe it neither looks at its reader now
// and then nor spins, and a file has no reader to look at. Counted by the system, every thread,
// over a second and a half of quiet.
TEST_F(CommandProcessTest, IdleWatchSleeps)
{
    const QString file = QString::fromStdString(folder.Path("report").string());
    for (const QString& output : {QString(), file}) {
        QProcess watch;
        Start(watch, {"--watch", QString::fromStdString(log)}, output);
        ASSERT_TRUE(QTest::qWaitFor([&] { return watch.bytesAvailable() > 0 || QFileInfo(file).size() > 0; }, 20000));
        const auto ran = [&] { // nanoseconds on a processor, and times put on one
            std::int64_t nanoseconds = 0, times = 0;
            const auto tasks = "/proc/" + std::to_string(watch.processId()) + "/task";
            for (const auto& task : std::filesystem::directory_iterator(tasks)) {
                std::int64_t running = 0, waiting = 0, slices = 0;
                std::ifstream(task.path() / "schedstat") >> running >> waiting >> slices;
                nanoseconds += running;
                times += slices;
            }
            return std::pair{nanoseconds, times};
        };
        const auto [before, timesBefore] = ran();
        ASSERT_GT(timesBefore, 0); // the system counts them here, or nothing below is measured
        QTest::qWait(1500);
        const auto [after, timesAfter] = ran();
        EXPECT_LT(after - before, 150'000'000) << output.toStdString();
        EXPECT_LE(timesAfter - timesBefore, 2) << output.toStdString(); // the first load's thread settling at most
        watch.kill();
        watch.waitForFinished(20000);
    }
}

// Usage errors, the window without a display and failed output end with their status, never an
// abort; an output that can never be a whole PNG is refused before the charge file is read (a 1 TiB
// one, which would take minutes).
TEST_F(CommandProcessTest, EachWayToEndHasItsStatus)
{
    const QString file = QString::fromStdString(log);
    const std::string huge = folder.Write("huge", "");
    std::filesystem::resize_file(huge, std::uintmax_t{1} << 40);
    const struct {
        QStringList args;
        const char* output;
        int status;
    } cases[] = {{{"--bogus", file}, "", 64},
                 {{file}, "", 69},
                 {{"--report", file}, "/dev/full", 74},
                 {{"--watch", file}, "/dev/full", 74},
                 {{"--report", "/nonexistent/log"}, "", 2},
                 {{"--watch", "/nonexistent/log"}, "", 2},
                 {{"--render", "/tmp/pelora-out.png", "/nonexistent/log"}, "", 2},
                 {{"--render", "/nonexistent/dir/out.png", file}, "", 73},
                 {{"--render", "/dev/full", QString::fromStdString(huge)}, "", 73}};
    for (const auto& c : cases)
        EXPECT_EQ(Run(c.args, QString::fromUtf8(c.output)), c.status) << c.args.join(' ').toStdString();
}
} // namespace
