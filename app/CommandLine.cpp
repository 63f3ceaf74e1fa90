#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>

namespace {
CommandLine Failure(const QString& reason, const QCommandLineParser& parser)
{
    CommandLine line;
    line.mode = CommandLine::Exit;
    line.exitCode = kUsageExitCode;
    line.output = QStringLiteral("pelora: %1\n%2").arg(reason, parser.helpText());
    return line;
}
} // namespace

CommandLine ParseCommandLine(const QStringList& args, const CivilDate& today,
                             const std::function<int()>& storedClosingDay)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Pelora: 電話料金ファイルを棒グラフにします。"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("この説明を表示します。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("版を表示します。"));
    const QCommandLineOption report(QStringLiteral("report"),
                                    QStringLiteral("画面を使わずに集計表を出力します。"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("集計表を JSON で出力します。"));
    const QCommandLineOption todayOption(QStringLiteral("today"),
                                         QStringLiteral("集計の基準日 (既定: 今日)。"),
                                         QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption closing(QStringLiteral("closing-day"),
                                     QStringLiteral("〆切日 (既定: 設定の値、なければ 31)。"),
                                     QStringLiteral("N"));
    parser.addOptions({help, version, report, json, todayOption, closing});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("料金ファイル"));

    if (!parser.parse(args))
        return Failure(parser.errorText(), parser);

    CommandLine line;
    if (parser.isSet(help) || parser.isSet(version)) {
        line.mode = CommandLine::Exit;
        line.output = parser.isSet(help)
                          ? parser.helpText()
                          : QStringLiteral("pelora %1\n").arg(QCoreApplication::applicationVersion());
        return line;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return Failure(QStringLiteral("料金ファイルは一つだけ指定できます。"), parser);
    if (!parser.isSet(report)) {
        if (parser.isSet(json) || parser.isSet(todayOption) || parser.isSet(closing))
            return Failure(QStringLiteral("--json, --today, --closing-day は --report と共に使います。"), parser);
        line.file = files.value(0);
        return line;
    }
    if (files.isEmpty())
        return Failure(QStringLiteral("料金ファイルを指定してください。"), parser);

    line.mode = CommandLine::Report;
    line.report.file = files.first();
    line.report.json = parser.isSet(json);
    line.report.today = today;
    if (parser.isSet(todayOption)) {
        const QDate date = QDate::fromString(parser.value(todayOption), QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid() || date.year() < 1900)
            return Failure(QStringLiteral("--today には 1900 年以降の YYYY-MM-DD を指定してください。"), parser);
        line.report.today = {date.year(), date.month(), date.day()};
    }
    if (!parser.isSet(closing)) {
        line.report.closingDay = storedClosingDay();
        return line;
    }
    bool ok = false;
    line.report.closingDay = parser.value(closing).toInt(&ok);
    if (!ok)
        return Failure(QStringLiteral("--closing-day には整数を指定してください。"), parser);
    return line;
}
