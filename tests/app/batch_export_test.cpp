// The batch export as a user runs it: the real program on the sample file, without a display,
// in a scratch folder of its own so that its settings file is the one the test wrote.
#include "core/cp932.h"
#include "core/document_reader.h"
#include "core/document_writer.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

class BatchExport : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(work_.isValid());
        exe_ = work_.filePath(QStringLiteral("qstereo"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(QSTEREO_EXE), exe_));
        ASSERT_TRUE(QFile::copy(QStringLiteral(QSTEREO_SAMPLES "/sample.QST"),
                                work_.filePath(QStringLiteral("sample.QST"))));
    }

    QString path(const QString& name) const { return work_.filePath(name); }

    Outcome run(const QStringList& arguments) const {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // No display at all: the export must not need one.
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("HOME"), work_.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(work_.path());
        process.start(exe_, arguments);
        process.waitForFinished(120000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QJsonObject summary(const QString& folder) const {
        return QJsonDocument::fromJson(slurp(path(folder + QStringLiteral("/summary.json"))))
            .object();
    }

    QTemporaryDir work_;
    QString exe_;
};

TEST_F(BatchExport, SampleAsPdfWithTheDefaultSettings) {
    const Outcome r =
        run({QStringLiteral("--export"), QStringLiteral("out"), QStringLiteral("sample.QST")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    for (const char* page : {"plot", "rose", "contour", "rank"})
        EXPECT_TRUE(
            slurp(path(QStringLiteral("out/%1.pdf").arg(QLatin1String(page)))).startsWith("%PDF"))
            << page;

    const QJsonObject s = summary(QStringLiteral("out"));
    EXPECT_EQ(s[QStringLiteral("dataCount")].toInt(), 50);
    EXPECT_GE(s[QStringLiteral("countMax")].toInt(), 1);
    EXPECT_EQ(s[QStringLiteral("rankColors")].toArray().size(),
              s[QStringLiteral("countMax")].toInt());
    EXPECT_EQ(s[QStringLiteral("histogram")].toArray().size(),
              s[QStringLiteral("countMax")].toInt());
    EXPECT_EQ(s[QStringLiteral("statusTexts")].toArray()[0].toString(),
              QStringLiteral("ﾃﾞｰﾀ総数：50個"));
    EXPECT_EQ(s[QStringLiteral("statusTexts")].toArray()[2].toString(),
              QStringLiteral("方位偏重：19個 (N11.25°～33.75°E)"));
    const QJsonObject rose = s[QStringLiteral("rose")].toObject();
    EXPECT_EQ(rose[QStringLiteral("divisions")].toInt(), 16);
    EXPECT_EQ(rose[QStringLiteral("bins")].toArray().size(), 16);
    EXPECT_EQ(rose[QStringLiteral("dominantBin")].toInt(), 6);
    EXPECT_EQ(rose[QStringLiteral("scaleMax")].toInt(), 50);

    // R = 100: indices -10 .. 210 both ways.
    const QList<QByteArray> lines =
        slurp(path(QStringLiteral("out/density.csv"))).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 221);
    EXPECT_EQ(lines.front().split(',').size(), 221);
    // Nothing is written to the settings file.
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("QStereo.ini"))));
    EXPECT_FALSE(QDir(path(QStringLiteral("config"))).exists());
}

TEST_F(BatchExport, LevelsAsTheContourDiagramDrawsThem) {
    DataFile::ReadResult sample =
        DataFile::Read(slurp(QStringLiteral(QSTEREO_SAMPLES "/sample.QST")));
    ASSERT_TRUE(sample.document);
    // The third level repeats the first one's value: the drawing drops it.
    sample.document->grades = {{2.0f, 0x0000FFu, int16_t(0)},
                               {4.0f, 0x00FF00u, int16_t(3)},
                               {2.0f, 0xFF0000u, int16_t(2)}};
    ASSERT_TRUE(spit(path(QStringLiteral("levels.QST")), DataFile::Write(*sample.document)));
    const Outcome r = run({QStringLiteral("--export"), QStringLiteral("out"),
                           QStringLiteral("--format=svg"), QStringLiteral("levels.QST")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();

    const QJsonObject s = summary(QStringLiteral("out"));
    const int countMax = s[QStringLiteral("countMax")].toInt();
    const QJsonArray levels = s[QStringLiteral("levels")].toArray();
    ASSERT_EQ(levels.size(), 2);
    const QJsonObject low = levels[0].toObject();
    const QJsonObject high = levels[1].toObject();
    EXPECT_EQ(low[QStringLiteral("index")].toInt(), 1);
    EXPECT_EQ(low[QStringLiteral("color")].toString(), QStringLiteral("#ff0000"));
    EXPECT_EQ(low[QStringLiteral("fill")].toInt(), 0);
    EXPECT_DOUBLE_EQ(low[QStringLiteral("threshold")].toDouble(), 1.0); // 50 × 2 %
    EXPECT_EQ(low[QStringLiteral("legendText")].toString(), QStringLiteral("     2～    4％"));
    EXPECT_EQ(high[QStringLiteral("index")].toInt(), 2);
    EXPECT_EQ(high[QStringLiteral("color")].toString(), QStringLiteral("#00ff00"));
    EXPECT_DOUBLE_EQ(high[QStringLiteral("value")].toDouble(), 4.0);
    // The highest band reaches the maximum density in whole percent.
    const int percent = int(countMax * 100.0 / 50 + 0.5);
    EXPECT_EQ(high[QStringLiteral("legendText")].toString(),
              QStringLiteral("     4～") + QString::number(percent).rightJustified(5) + u'％');
    const QByteArray svg = slurp(path(QStringLiteral("out/contour.svg")));
    EXPECT_TRUE(svg.contains("<svg"));
    // Other programs find the fonts the page was laid out with, so titles stay centred.
    EXPECT_FALSE(svg.contains(QStringLiteral("font-family=\"ＭＳ").toUtf8()));
}

TEST_F(BatchExport, OptionsOverrideTheSettingsFileForThisRunOnly) {
    const QByteArray settings =
        cp932::encode(QStringLiteral("[解像度]\r\n走査線数=50\r\n分割角度数=8\r\n"));
    ASSERT_TRUE(spit(path(QStringLiteral("QStereo.ini")), settings));

    Outcome r = run(
        {QStringLiteral("--export"), QStringLiteral("fromSettings"), QStringLiteral("sample.QST")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(summary(QStringLiteral("fromSettings"))[QStringLiteral("rose")]
                  .toObject()[QStringLiteral("divisions")]
                  .toInt(),
              8);
    // R = 50: indices -5 .. 105.
    EXPECT_EQ(slurp(path(QStringLiteral("fromSettings/density.csv"))).trimmed().split('\n').size(),
              111);

    r = run({QStringLiteral("--export=png dir"), QStringLiteral("--format"), QStringLiteral("png"),
             QStringLiteral("--scan-lines"), QStringLiteral("300"), QStringLiteral("--dpi=150"),
             QStringLiteral("--rose-divisions=12"), QStringLiteral("sample.QST")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(summary(QStringLiteral("png dir"))[QStringLiteral("rose")]
                  .toObject()[QStringLiteral("divisions")]
                  .toInt(),
              12);
    EXPECT_EQ(slurp(path(QStringLiteral("png dir/density.csv"))).trimmed().split('\n').size(), 331);
    const QImage page(path(QStringLiteral("png dir/contour.png")));
    EXPECT_EQ(page.size(), QSize(1240, 1754)); // A4 at 150 dpi
    EXPECT_EQ(page.dotsPerMeterX(), 5906);
    EXPECT_EQ(slurp(path(QStringLiteral("QStereo.ini"))), settings);

    r = run({QStringLiteral("--export"), QStringLiteral("svg"), QStringLiteral("--format=SVG"),
             QStringLiteral("sample.QST")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(slurp(path(QStringLiteral("svg/rank.svg"))).contains("<svg"));
    EXPECT_EQ(slurp(path(QStringLiteral("QStereo.ini"))), settings);
}

// The statistics and the maxima beside the density figures; the plot draws what the settings
// file chose, or --plot for one run.
TEST_F(BatchExport, StatisticsMaximaAndThePlotsChoice) {
    ASSERT_TRUE(spit(path(QStringLiteral("QStereo.ini")),
                     cp932::encode(QStringLiteral("[投影図]\r\n描画=circles\r\n"))));
    const QString png = QStringLiteral("--format=png");
    const QString sample = QStringLiteral("sample.QST");
    ASSERT_EQ(run({QStringLiteral("--export=circles"), png, sample}).status, 0);
    ASSERT_EQ(
        run({QStringLiteral("--export=poles"), png, QStringLiteral("--plot=poles"), sample}).status,
        0);
    const auto inked = [&](const char* folder) {
        const QImage page(path(QString::fromLatin1(folder) + QStringLiteral("/plot.png")));
        qint64 dark = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                dark += qGray(page.pixel(x, y)) < 128;
        return dark;
    };
    EXPECT_GT(inked("circles"), 2 * inked("poles")); // 50 great circles against 50 rings

    const QJsonObject s = summary(QStringLiteral("poles"));
    const QJsonObject statistics = s[QStringLiteral("statistics")].toObject();
    EXPECT_EQ(statistics[QStringLiteral("poles")].toInt(), 50);
    double sum = 0;
    for (const QJsonValue v : statistics[QStringLiteral("eigenvalues")].toArray())
        sum += v.toDouble();
    EXPECT_NEAR(sum, 1, 1e-12);
    EXPECT_TRUE(statistics[QStringLiteral("meanPole")][QStringLiteral("plane")].isObject());
    const QJsonArray maxima = s[QStringLiteral("localMaxima")].toArray();
    ASSERT_FALSE(maxima.isEmpty());
    EXPECT_EQ(maxima[0][QStringLiteral("count")], s[QStringLiteral("countMax")]);
}

TEST_F(BatchExport, RefusedRunsSayWhyAndWriteNothing) {
    ASSERT_TRUE(
        spit(path(QStringLiteral("bad.QST")), "QuillStereoVersion1.01.00\r\nA\r\nB\r\nC\r\nx\r\n"));
    ASSERT_TRUE(spit(path(QStringLiteral("newer.QST")), "QuillStereoVersion1.02.00\r\n"));
    ASSERT_TRUE(spit(path(QStringLiteral("plain file")), "x"));
    const QString sample = QStringLiteral("sample.QST");
    const QString out = QStringLiteral("out");
    struct Case {
        QStringList arguments;
        QString message; // part of what standard error says
    };
    const Case cases[] = {
        {{QStringLiteral("--export"), out, QStringLiteral("bad.QST")},
         QStringLiteral("（5行目が数値ではありません）\nﾌｧｲﾙを開くことができません。")},
        {{QStringLiteral("--export"), out, QStringLiteral("newer.QST")},
         QStringLiteral("新しいﾊﾞｰｼﾞｮﾝで作成されています。\nﾌｧｲﾙを開くことができません。")},
        {{QStringLiteral("--export"), out, QStringLiteral("missing.QST")},
         QStringLiteral("ﾌｧｲﾙを開くことができません。")},
        {{QStringLiteral("--export"), QStringLiteral("plain file/out"), sample},
         QStringLiteral("ﾌｫﾙﾀﾞを作成できません。")},
        {{QStringLiteral("--export"), out, QStringLiteral("--scan-lines"), QStringLiteral("30"),
          sample},
         QStringLiteral("走査数を20の倍数で")},
        {{QStringLiteral("--export"), out, QStringLiteral("--scan-lines=2020"), sample},
         QStringLiteral("走査数を20の倍数で")},
        {{QStringLiteral("--export"), out, QStringLiteral("--scan-lines=abc"), sample},
         QStringLiteral("走査数を20の倍数で")},
        {{QStringLiteral("--export"), out, QStringLiteral("--rose-divisions=0"), sample},
         QStringLiteral("正の整数値を入力してください。")},
        {{QStringLiteral("--export"), out, QStringLiteral("--rose-divisions=361"), sample},
         QStringLiteral("360より大きい値は入力できません。")},
        {{QStringLiteral("--export"), out, QStringLiteral("--dpi=2401"), sample},
         QStringLiteral("--dpi: 解像度を72～2400の整数で")},
        {{QStringLiteral("--export"), out, QStringLiteral("--format=jpg"), sample},
         QStringLiteral("pdf, svg, png")},
        {{QStringLiteral("--export"), out, QStringLiteral("--plot=rings"), sample},
         QStringLiteral("poles, circles, both")},
        {{QStringLiteral("--export"), out}, QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙを1つ")},
        {{QStringLiteral("--format=png"), sample}, QStringLiteral("--export")},
        {{QStringLiteral("--convert"), QStringLiteral("--dpi=600"), QStringLiteral("a.csv"),
          QStringLiteral("a.QST")},
         QStringLiteral("--dpi は --export とだけ")},
        {{QStringLiteral("--convert"), QStringLiteral("--plot=both"), QStringLiteral("a.csv"),
          QStringLiteral("a.QST")},
         QStringLiteral("--plot は --export とだけ")},
    };
    for (const Case& c : cases) {
        const Outcome r = run(c.arguments);
        const std::string what = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(r.status, 1) << what;
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("qstereo: "))) << what;
        EXPECT_TRUE(r.err.contains(c.message)) << what << "\n" << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(path(out))) << what;
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("QStereo.ini"))));
}

TEST_F(BatchExport, FilesOfMeasurementsConvertOrExportAndOneBadLineRefusesTheWholeFile) {
    const QString data = QStringLiteral(QSTEREO_IMPORT_DATA "/");
    Outcome r = run({QStringLiteral("--convert"), data + QStringLiteral("planes_ja_cp932.csv"),
                     QStringLiteral("planes.QST")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, QString());
    const auto converted = DataFile::Read(slurp(path(QStringLiteral("planes.QST"))));
    ASSERT_TRUE(converted.document);
    const QStringList expected =
        QString::fromLatin1(slurp(data + QStringLiteral("planes_expected.txt")))
            .split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(converted.document->rows.size(), size_t(expected.size()));
    for (int k = 0; k < expected.size(); ++k) {
        const Document::Row& row = converted.document->rows[size_t(k)];
        ASSERT_EQ(row[0] + u',' + row[1] + u',' + row[2] + u',' + row[3], expected[k]) << k;
    }

    // Forced to read the azimuths as strikes, 0/90 is a plane dipping east.
    r = run({QStringLiteral("--convert"), QStringLiteral("--notation=rhr"),
             data + QStringLiteral("planes_dipdir_en.csv"), QStringLiteral("rhr.QST")});
    EXPECT_EQ(r.status, 0);
    const auto rhr = DataFile::Read(slurp(path(QStringLiteral("rhr.QST"))));
    ASSERT_TRUE(rhr.document);
    EXPECT_EQ(rhr.document->rows[0][3], QStringLiteral("E"));

    ASSERT_TRUE(spit(path(QStringLiteral("bad.csv")),
                     "dip direction,dip\r\n120,45\r\n120,95\r\n\r\n400,3\r\n"));
    const QString lines =
        QStringLiteral("qstereo: bad.csv 3行目: 傾斜が0～90の範囲にありません（120 95）\n"
                       "qstereo: bad.csv 5行目: 方位角が0～360の範囲にありません（400 3）\n");
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--convert"), QStringLiteral("bad.csv"),
                      QStringLiteral("bad.QST")},
          QStringList{QStringLiteral("--export"), QStringLiteral("out"),
                      QStringLiteral("bad.csv")}}) {
        r = run(arguments);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.startsWith(lines + QStringLiteral("qstereo: 取り込めない行が 2 行")))
            << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("bad.QST"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out"))));

    r = run({QStringLiteral("--convert"), QStringLiteral("--skip-bad-rows"),
             QStringLiteral("bad.csv"), QStringLiteral("bad.QST")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, lines + QStringLiteral("qstereo: 取り込めない 2 行を読み飛ばしました。\n"));
    const auto skipped = DataFile::Read(slurp(path(QStringLiteral("bad.QST"))));
    ASSERT_TRUE(skipped.document);
    EXPECT_EQ(skipped.document->rows[0], Document::Row("30", "E", "45", "SE"));
    EXPECT_EQ(skipped.document->rows[1], Document::Row());

    r = run({QStringLiteral("--export"), QStringLiteral("book"), QStringLiteral("--sheet"),
             QStringLiteral("露頭A"), QStringLiteral("--skip-bad-rows"),
             data + QStringLiteral("two_sheets_libreoffice.xlsx")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(summary(QStringLiteral("book"))[QStringLiteral("dataCount")].toInt(), 2);
}

TEST_F(BatchExport, HelpAndVersion) {
    Outcome r = run({QStringLiteral("--help")});
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"--export", "--format", "--scan-lines", "--rose-divisions",
                               "--convert", "--notation", "--sheet", "--skip-bad-rows"})
        EXPECT_TRUE(r.out.contains(QLatin1String(option))) << option;
    r = run({QStringLiteral("--version")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("QStereo 1.1.0"));
}

} // namespace
