#include "app/CommandLine.h"

#include "res/Version.h"

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
    const QCommandLineOption render(QStringLiteral("render"),
                                    QStringLiteral("画面を使わずに表示を PNG に描きます。"), QStringLiteral("OUT.png"));
    const QCommandLineOption mode(QStringLiteral("mode"), QStringLiteral("--render のグラフ: day か month (既定: 設定の値)。"),
                                  QStringLiteral("day|month"));
    const QCommandLineOption unit(QStringLiteral("unit"),
                                  QStringLiteral("--render の単位: yen, time か count (既定: 設定の値)。"),
                                  QStringLiteral("yen|time|count"));
    parser.addOptions({help, version, report, json, todayOption, closing, render, mode, unit});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("料金ファイル"));

    if (!parser.parse(args))
        return Failure(parser.errorText(), parser);

    CommandLine line;
    if (parser.isSet(help) || parser.isSet(version)) {
        line.mode = CommandLine::Exit;
        line.output = parser.isSet(help)
                          ? parser.helpText()
                          : QStringLiteral("pelora %1\n").arg(QString::fromLatin1(kPeloraVersion));
        return line;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return Failure(QStringLiteral("料金ファイルは一つだけ指定できます。"), parser);
    if (parser.isSet(report) && parser.isSet(render))
        return Failure(QStringLiteral("--report と --render は同時に使えません。"), parser);
    if (!parser.isSet(render) && (parser.isSet(mode) || parser.isSet(unit)))
        return Failure(QStringLiteral("--mode, --unit は --render と共に使います。"), parser);
    if (!parser.isSet(report) && parser.isSet(json))
        return Failure(QStringLiteral("--json は --report と共に使います。"), parser);
    if (!parser.isSet(report) && !parser.isSet(render)) {
        if (parser.isSet(todayOption) || parser.isSet(closing))
            return Failure(QStringLiteral("--today, --closing-day は --report か --render と共に使います。"), parser);
        line.file = files.value(0);
        return line;
    }
    if (files.isEmpty())
        return Failure(QStringLiteral("料金ファイルを指定してください。"), parser);

    line.mode = parser.isSet(render) ? CommandLine::Render : CommandLine::Report;
    line.renderFile = parser.value(render);
    if (parser.isSet(mode)) {
        const QString value = parser.value(mode);
        if (value != QLatin1String("day") && value != QLatin1String("month"))
            return Failure(QStringLiteral("--mode には day か month を指定してください。"), parser);
        line.dayMode = value == QLatin1String("day") ? 1 : 0;
    }
    if (parser.isSet(unit)) {
        const int index = QStringList{QStringLiteral("yen"), QStringLiteral("time"), QStringLiteral("count")}
                              .indexOf(parser.value(unit));
        if (index < 0)
            return Failure(QStringLiteral("--unit には yen, time か count を指定してください。"), parser);
        line.unitMode = index;
    }
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
    if (!ok || line.report.closingDay < 1 || line.report.closingDay > 31)
        return Failure(QStringLiteral("--closing-day には 1 から 31 迄の整数を指定してください。"), parser);
    return line;
}
