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

// From a coarse screen to a fine printer; an A4 page at the most is about 2.2 GB of pixels.
constexpr int kMinDotsPerInch = 72;
constexpr int kMaxDotsPerInch = 2400;

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
    QCommandLineOption formatOption{QStringLiteral("format"),
                                    QStringLiteral("図のﾌｧｲﾙ形式: pdf（既定）, svg, png。"),
                                    QStringLiteral("pdf|svg|png"), QStringLiteral("pdf")};
    QCommandLineOption dpiOption{
        QStringLiteral("dpi"),
        QStringLiteral("図を描く解像度（72～2400、既定 300）: png の1ｲﾝﾁあたりの画素数。"
                       "pdf と svg もその解像度のﾌﾟﾘﾝﾀと同じように描きます。"),
        QStringLiteral("N"), QStringLiteral("300")};
    QCommandLineOption scanLinesOption{
        QStringLiteral("scan-lines"),
        QStringLiteral("走査数（20の倍数、20～2000）。今回だけ設定ﾌｧｲﾙの値に代えて使います。"),
        QStringLiteral("N")};
    QCommandLineOption roseOption{
        QStringLiteral("rose-divisions"),
        QStringLiteral(
            "ﾛｰｽﾞﾀﾞｲｱｸﾞﾗﾑの360度の分割数（1～360）。今回だけ設定ﾌｧｲﾙの値に代えて使います。"),
        QStringLiteral("N")};
    QCommandLineOption convertOption{
        QStringLiteral("convert"),
        QStringLiteral("測定値のﾌｧｲﾙ IN（CSV, TSV, ﾃｷｽﾄ, xlsx）をﾃﾞｰﾀﾌｧｲﾙ OUT.QST に変換します。")};
    QCommandLineOption notationOption{
        QStringLiteral("notation"),
        QStringLiteral("測定値の表記: auto（既定）, quadrant（N30E 45SE）, dipdir（120/45）, "
                       "rhr（右手則の走向/傾斜 030/45）。"),
        QStringLiteral("auto|quadrant|dipdir|rhr"), QStringLiteral("auto")};
    QCommandLineOption sheetOption{
        QStringLiteral("sheet"),
        QStringLiteral("xlsx ﾌﾞｯｸの読むｼｰﾄ（名前か1からの番号、既定は最初のｼｰﾄ）。"),
        QStringLiteral("S")};
    QCommandLineOption skipOption{
        QStringLiteral("skip-bad-rows"),
        QStringLiteral("読めない行を読み飛ばします（既定では1行でもあれば何も書き出しません）。")};
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
            "summary.json と density.csv も書きます。\n"
            "ﾃﾞｰﾀﾌｧｲﾙ（.QST）の代わりに測定値のﾌｧｲﾙ（CSV, TSV, ﾃｷｽﾄ, xlsx）も読めます。"));
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        for (const QCommandLineOption* option :
             {&exportOption, &formatOption, &dpiOption, &scanLinesOption, &roseOption, &plotOption,
              &convertOption, &notationOption, &sheetOption, &skipOption, &helpOption,
              &versionOption})
            parser.addOption(*option);
        parser.addPositionalArgument(
            QStringLiteral("FILE"),
            QStringLiteral("書き出すﾃﾞｰﾀﾌｧｲﾙ（--convert では IN と OUT.QST の2つ）。"));
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
                                      QStringLiteral("--dpi"),
                                      QStringLiteral("--scan-lines"),
                                      QStringLiteral("--rose-divisions"),
                                      QStringLiteral("--plot"),
                                      QStringLiteral("--convert"),
                                      QStringLiteral("--notation"),
                                      QStringLiteral("--sheet"),
                                      QStringLiteral("--skip-bad-rows"),
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
    const auto notation = Notation::KindFromName(p.parser.value(p.notationOption));
    if (!notation)
        return Refused(
            QStringLiteral("--notation: 表記は auto, quadrant, dipdir, rhr のどれかです。"));
    if (*notation != Notation::Kind::Auto)
        options.import.notation = notation;
    options.import.sheet = p.parser.value(p.sheetOption);
    options.import.skipBadRows = p.parser.isSet(p.skipOption);
    const QStringList files = p.parser.positionalArguments();

    if (p.parser.isSet(p.convertOption)) {
        if (p.parser.isSet(p.exportOption))
            return Refused(QStringLiteral("--export と --convert は一緒に使えません。"));
        for (const QCommandLineOption* drawing :
             {&p.formatOption, &p.dpiOption, &p.scanLinesOption, &p.roseOption, &p.plotOption})
            if (p.parser.isSet(*drawing))
                return Refused(QStringLiteral("--") + drawing->names().constFirst() +
                               QStringLiteral(" は --export とだけ使えます。"));
        if (files.size() != 2)
            return Refused(QStringLiteral(
                "変換する測定値のﾌｧｲﾙと、書き出すﾃﾞｰﾀﾌｧｲﾙ（.QST）を指定してください。"));
        if (!files[1].endsWith(QStringLiteral(".QST"), Qt::CaseInsensitive))
            return Refused(QStringLiteral("書き出すﾃﾞｰﾀﾌｧｲﾙの名前は .QST で終えてください。"));
        options.dataFile = files[0];
        options.convertedFile = files[1];
        command.action = Command::Action::Convert;
        return command;
    }

    options.folder = p.parser.value(p.exportOption);
    if (!p.parser.isSet(p.exportOption) || options.folder.isEmpty())
        return Refused(QStringLiteral("--export で書き出し先のﾌｫﾙﾀﾞを指定してください。"));
    if (files.size() != 1)
        return Refused(QStringLiteral("書き出すﾃﾞｰﾀﾌｧｲﾙを1つ指定してください。"));
    options.dataFile = files.front();

    options.format = p.parser.value(p.formatOption).toLower();
    if (!kFormats.contains(options.format))
        return Refused(QStringLiteral("--format: ﾌｧｲﾙ形式は pdf, svg, png のどれかです。"));

    if (p.parser.isSet(p.dpiOption)) {
        const auto dpi = WholeNumber(p.parser.value(p.dpiOption));
        if (!dpi || *dpi < kMinDotsPerInch || *dpi > kMaxDotsPerInch)
            return Refused(QStringLiteral("--dpi: 解像度を%1～%2の整数で入力して下さい。")
                               .arg(kMinDotsPerInch)
                               .arg(kMaxDotsPerInch));
        options.dotsPerInch = *dpi;
    }
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
