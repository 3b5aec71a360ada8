#include "app/export_options.h"

#include "core/bmmain.h"
#include "core/diagram_settings.h"
#include "core/version.h"

#include <QCommandLineParser>

namespace BatchExport {

namespace {

// One scan line per drawing unit across the net's diameter, in steps of 20 like the scan-count
// command, within the radius range the settings file accepts.
constexpr int kScanLineStep = 20;
constexpr int kMinScanLines = 2 * BMMain::kMinNetRadius;
constexpr int kMaxScanLines = 2 * BMMain::kMaxNetRadius;

const QStringList kFormats = {QStringLiteral("pdf"), QStringLiteral("svg"), QStringLiteral("png")};

Command Refused(const QString& text) {
    Command command;
    command.text = text;
    return command;
}

// The option name as typed with "=value" cut off.
QString OptionName(const QString& argument) {
    return argument.section(u'=', 0, 0);
}

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption exportOption{
        QStringLiteral("export"),
        QStringLiteral("図をﾌｧｲﾙとして DIR に書き出します（窓は開きません）。"),
        QStringLiteral("DIR")};
    QCommandLineOption formatOption{
        QStringLiteral("format"),
        QStringLiteral("図のﾌｧｲﾙ形式: pdf（既定）, svg, png（300 dpi）。"),
        QStringLiteral("pdf|svg|png"), QStringLiteral("pdf")};
    QCommandLineOption scanLinesOption{
        QStringLiteral("scan-lines"),
        QStringLiteral("走査数（20の倍数、20～2000）。今回だけ設定ﾌｧｲﾙの値に代えて使います。"),
        QStringLiteral("N")};
    QCommandLineOption roseOption{
        QStringLiteral("rose-divisions"),
        QStringLiteral(
            "ﾛｰｽﾞﾀﾞｲｱｸﾞﾗﾑの360度の分割数（1～360）。今回だけ設定ﾌｧｲﾙの値に代えて使います。"),
        QStringLiteral("N")};
    QCommandLineOption plotOption{
        QStringLiteral("plot"),
        QStringLiteral("投影図に描くもの: poles（極）, circles（大円）, both（極と大円）。"
                       "今回だけ設定ﾌｧｲﾙの値に代えて使います。"),
        QStringLiteral("poles|circles|both")};
    QCommandLineOption helpOption{{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("この説明を表示します。")};
    QCommandLineOption versionOption{{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("版数を表示します。")};

    Parser() {
        parser.setApplicationDescription(QStringLiteral(
            "QStereo: ｼｭﾐｯﾄﾈｯﾄ投影ﾌﾟﾛｸﾞﾗﾑ。\n"
            "--export を付けると、ﾃﾞｰﾀﾌｧｲﾙの投影図、ﾛｰｽﾞﾀﾞｲｱｸﾞﾗﾑ、頻度分布図（ｺﾝﾀｰ）と"
            "頻度分布図（段彩）を\n印刷するﾍﾟｰｼﾞと同じ図としてﾌｧｲﾙに書き出し、"
            "summary.json と density.csv も書きます。"));
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        for (const QCommandLineOption* option :
             {&exportOption, &formatOption, &scanLinesOption, &roseOption, &plotOption, &helpOption,
              &versionOption})
            parser.addOption(*option);
        parser.addPositionalArgument(QStringLiteral("FILE.QST"),
                                     QStringLiteral("書き出すﾃﾞｰﾀﾌｧｲﾙ。"));
    }
};

// A whole decimal number, or nothing.
std::optional<int> WholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

bool IsExportCommandLine(const QStringList& arguments) {
    static const QStringList names = {QStringLiteral("--export"),
                                      QStringLiteral("--format"),
                                      QStringLiteral("--scan-lines"),
                                      QStringLiteral("--rose-divisions"),
                                      QStringLiteral("--plot"),
                                      QStringLiteral("--help"),
                                      QStringLiteral("-h"),
                                      QStringLiteral("--version"),
                                      QStringLiteral("-v")};
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (names.contains(OptionName(arguments[i])))
            return true;
    return false;
}

Command ParseCommandLine(const QStringList& arguments) {
    Parser p;
    if (!p.parser.parse(arguments))
        return Refused(p.parser.errorText() +
                       QStringLiteral("\r\n（--help で使い方を表示します）"));
    Command command;
    if (p.parser.isSet(p.helpOption)) {
        command.action = Command::Action::Help;
        command.text = p.parser.helpText();
        return command;
    }
    if (p.parser.isSet(p.versionOption)) {
        command.action = Command::Action::Version;
        command.text = QStringLiteral("QStereo ") + ProgramVersion::Text() + u'\n';
        return command;
    }

    Options& options = command.options;
    options.folder = p.parser.value(p.exportOption);
    if (!p.parser.isSet(p.exportOption) || options.folder.isEmpty())
        return Refused(QStringLiteral("--export で書き出し先のﾌｫﾙﾀﾞを指定してください。"));
    const QStringList files = p.parser.positionalArguments();
    if (files.size() != 1)
        return Refused(QStringLiteral("書き出すﾃﾞｰﾀﾌｧｲﾙを1つ指定してください。"));
    options.dataFile = files.front();

    options.format = p.parser.value(p.formatOption).toLower();
    if (!kFormats.contains(options.format))
        return Refused(QStringLiteral("--format: ﾌｧｲﾙ形式は pdf, svg, png のどれかです。"));

    if (p.parser.isSet(p.scanLinesOption)) {
        const auto lines = WholeNumber(p.parser.value(p.scanLinesOption));
        if (!lines || *lines < kMinScanLines || *lines > kMaxScanLines || *lines % kScanLineStep)
            return Refused(QStringLiteral("--scan-lines: 走査数を20の倍数で入力して下さい。") +
                           QStringLiteral("（%1～%2）").arg(kMinScanLines).arg(kMaxScanLines));
        options.netRadius = int16_t(*lines / 2);
    }
    if (p.parser.isSet(p.roseOption)) {
        const auto divisions = WholeNumber(p.parser.value(p.roseOption));
        if (!divisions || *divisions < 1)
            return Refused(QStringLiteral("--rose-divisions: 正の整数値を入力してください。"));
        if (*divisions > DiagramSettings::kMaxRoseDivisions)
            return Refused(QStringLiteral("--rose-divisions: 360より大きい値は入力できません。"));
        options.roseDivisions = int16_t(*divisions);
    }
    if (p.parser.isSet(p.plotOption)) {
        options.plotMode = DiagramSettings::PlotModeFromText(p.parser.value(p.plotOption));
        if (!options.plotMode)
            return Refused(
                QStringLiteral("--plot: 投影図に描くものは poles, circles, both のどれかです。"));
    }
    command.action = Command::Action::Export;
    return command;
}

} // namespace BatchExport
