#include "app/CommandLine.h"

#include "res/Version.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QCoreApplication>
#include <QDate>

namespace {
// Qt's own options for a window, which QApplication takes from the command line itself: those
// followed by a value (unless given as -option=value), and those that stand alone.
const QStringList kQtOptionsWithValue{"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                                       "qwindowicon", "qwindowtitle", "session", "style", "stylesheet", "display",
                                       "geometry", "name", "title", "visual", "ncols", "cmap", "im", "fn", "font",
                                       "bg", "background", "fg", "foreground", "btn", "button", "inputstyle"};
const QStringList kQtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync", "qmljsdebugger"};

// Takes Qt's window options out of args; true when there were any.
bool TakeQtOptions(QStringList& args)
{
    bool any = false;
    for (int i = 1; i < args.size();) {
        if (args[i] == QLatin1String("--"))
            break;
        QString name = args[i];
        while (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        const bool hasValue = name.contains(QLatin1Char('='));
        name = name.section(QLatin1Char('='), 0, 0);
        const bool takesValue = kQtOptionsWithValue.contains(name) && !hasValue;
        if (!args[i].startsWith(QLatin1Char('-')) || !(kQtOptionsWithValue.contains(name) || kQtFlags.contains(name))) {
            ++i;
            continue;
        }
        any = true;
        args.remove(i, takesValue && i + 1 < args.size() ? 2 : 1);
    }
    return any;
}

// The options, the parser, and the checks that decide what the command line asks for.
class CParser {
public:
    CParser()
    {
        m_parser.setApplicationDescription(QStringLiteral("Pelora: 電話料金ファイルを棒グラフにします。"));
        m_parser.addOptions({m_help, m_version, m_report, m_render, m_watch, m_json, m_csv, m_today, m_closing, m_mode, m_unit});
        m_parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("料金ファイル"));
    }

    CommandLine Parse(QStringList args, const CivilDate& today, const std::function<int()>& storedClosingDay);

private:
    // The parser's help names the program only once an application object exists; this one is
    // built before, so the name is put in here.
    QString HelpText() const
    {
        return m_parser.helpText().replace(QLatin1String("<executable_name>"), QLatin1String("pelora"));
    }
    // One line, as command-line tools give it: what was wrong and where the help is.
    CommandLine Failure(const QString& reason) const
    {
        CommandLine line;
        line.mode = CommandLine::Exit;
        line.exitCode = kUsageExitCode;
        line.output = QStringLiteral("pelora: %1使い方は pelora --help で表示します。\n").arg(reason);
        return line;
    }
    // The parser's complaint in the program's language, naming the option.
    QString ParseError() const
    {
        if (const QStringList unknown = m_parser.unknownOptionNames(); !unknown.isEmpty())
            return QStringLiteral("%1 というオプションはありません。").arg(OptionText(unknown.first()));
        static const QRegularExpression missingValue(QStringLiteral("'(.+)'"));
        if (const QRegularExpressionMatch match = missingValue.match(m_parser.errorText()); match.hasMatch())
            return QStringLiteral("%1 に値がありません。").arg(match.captured(1));
        return m_parser.errorText();
    }
    static QString OptionText(const QString& name)
    {
        return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    }
    bool Set(const QCommandLineOption& option) const { return m_parser.isSet(option); }
    std::optional<QString> CheckCombination() const;
    std::optional<QString> ReadRenderModes(CommandLine& line) const;
    std::optional<QString> ReadDateAndDay(CommandLine& line, const CivilDate& today,
                                          const std::function<int()>& storedClosingDay) const;

    QCommandLineParser m_parser;
    const QCommandLineOption m_help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("この説明を表示します。")};
    const QCommandLineOption m_version{{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("版を表示します。")};
    const QCommandLineOption m_report{QStringLiteral("report"), QStringLiteral("画面を使わずに集計表を出力します。")};
    const QCommandLineOption m_render{QStringLiteral("render"), QStringLiteral("画面を使わずに表示を PNG に描きます (- で標準出力へ)。"),
                                      QStringLiteral("OUT.png")};
    const QCommandLineOption m_watch{QStringLiteral("watch"),
                                     QStringLiteral("集計表を出力し、料金ファイルが変わる度に出力し直します。")};
    const QCommandLineOption m_json{QStringLiteral("json"), QStringLiteral("集計表を JSON で出力します。")};
    const QCommandLineOption m_csv{QStringLiteral("csv"), QStringLiteral("集計表を CSV で出力します (--report のみ)。")};
    const QCommandLineOption m_today{QStringLiteral("today"), QStringLiteral("集計の基準日 (既定: 今日)。"),
                                     QStringLiteral("YYYY-MM-DD")};
    const QCommandLineOption m_closing{QStringLiteral("closing-day"),
                                       QStringLiteral("〆切日 1-31 (既定: 設定の値、なければ 31)。"), QStringLiteral("N")};
    const QCommandLineOption m_mode{QStringLiteral("mode"), QStringLiteral("--render のグラフ: day か month (既定: 設定の値)。"),
                                    QStringLiteral("day|month")};
    const QCommandLineOption m_unit{QStringLiteral("unit"),
                                    QStringLiteral("--render の単位: yen, time か count (既定: 設定の値)。"),
                                    QStringLiteral("yen|time|count")};
};

std::optional<QString> CParser::CheckCombination() const
{
    if (int(Set(m_report)) + int(Set(m_render)) + int(Set(m_watch)) > 1)
        return QStringLiteral("--report, --render, --watch は一つだけ使えます。");
    if (!Set(m_render) && (Set(m_mode) || Set(m_unit)))
        return QStringLiteral("--mode, --unit は --render と共に使います。");
    if (!Set(m_report) && !Set(m_watch) && Set(m_json))
        return QStringLiteral("--json は --report か --watch と共に使います。");
    if (Set(m_csv) && (!Set(m_report) || Set(m_json)))
        return QStringLiteral("--csv は --report と共に、--json なしで使います。");
    if (!Set(m_report) && !Set(m_render) && !Set(m_watch) && (Set(m_today) || Set(m_closing)))
        return QStringLiteral("--today, --closing-day は --report, --render か --watch と共に使います。");
    return std::nullopt;
}

std::optional<QString> CParser::ReadRenderModes(CommandLine& line) const
{
    line.renderFile = m_parser.value(m_render);
    if (Set(m_mode)) {
        const QString value = m_parser.value(m_mode);
        if (value != QLatin1String("day") && value != QLatin1String("month"))
            return QStringLiteral("--mode には day か month を指定してください。");
        line.dayMode = value == QLatin1String("day") ? Period::Day : Period::Month;
    }
    if (Set(m_unit)) {
        const int index = QStringList{QStringLiteral("yen"), QStringLiteral("time"), QStringLiteral("count")}
                              .indexOf(m_parser.value(m_unit));
        if (index < 0)
            return QStringLiteral("--unit には yen, time か count を指定してください。");
        line.unitMode = Unit{index};
    }
    return std::nullopt;
}

// The stored closing day is asked for only here, so the window's start never touches the settings
// before its instance check.
std::optional<QString> CParser::ReadDateAndDay(CommandLine& line, const CivilDate& today,
                                               const std::function<int()>& storedClosingDay) const
{
    line.report.today = today;
    line.report.todayGiven = Set(m_today);
    if (Set(m_today)) {
        const QDate date = QDate::fromString(m_parser.value(m_today), QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid() || date.year() < 1900)
            return QStringLiteral("--today には 1900 年以降の YYYY-MM-DD を指定してください。");
        line.report.today = {date.year(), date.month(), date.day()};
    }
    if (!Set(m_closing)) {
        line.report.closingDay = storedClosingDay();
        return std::nullopt;
    }
    bool ok = false;
    line.report.closingDay = m_parser.value(m_closing).toInt(&ok);
    if (!ok || line.report.closingDay < 1 || line.report.closingDay > 31)
        return QStringLiteral("--closing-day には 1 から 31 迄の整数を指定してください。");
    return std::nullopt;
}

CommandLine CParser::Parse(QStringList args, const CivilDate& today, const std::function<int()>& storedClosingDay)
{
    const bool qtOptions = TakeQtOptions(args);
    if (!m_parser.parse(args))
        return Failure(ParseError());
    CommandLine line;
    if (Set(m_help) || Set(m_version)) {
        line.mode = CommandLine::Exit;
        line.output = Set(m_help) ? HelpText() : QStringLiteral("pelora %1\n").arg(QString::fromLatin1(kPeloraVersion));
        return line;
    }
    if (qtOptions && (Set(m_report) || Set(m_render) || Set(m_watch)))
        return Failure(QStringLiteral("Qt のオプションは画面を開くときだけ使えます。"));
    const QStringList files = m_parser.positionalArguments();
    if (files.size() > 1)
        return Failure(QStringLiteral("料金ファイルは一つだけ指定できます。"));
    if (const auto reason = CheckCombination())
        return Failure(*reason);
    if (!Set(m_report) && !Set(m_render) && !Set(m_watch)) {
        line.file = files.value(0);
        return line;
    }
    if (files.isEmpty())
        return Failure(QStringLiteral("料金ファイルを指定してください。"));
    line.mode = Set(m_render) ? CommandLine::Render : Set(m_watch) ? CommandLine::Watch : CommandLine::Report;
    line.report.file = files.first();
    line.report.json = Set(m_json);
    line.report.csv = Set(m_csv);
    if (const auto reason = ReadRenderModes(line))
        return Failure(*reason);
    if (const auto reason = ReadDateAndDay(line, today, storedClosingDay))
        return Failure(*reason);
    return line;
}
} // namespace

CommandLine ParseCommandLine(const QStringList& args, const CivilDate& today,
                             const std::function<int()>& storedClosingDay)
{
    return CParser().Parse(args, today, storedClosingDay);
}
