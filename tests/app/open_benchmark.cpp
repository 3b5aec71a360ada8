// Prints the peak resident size and the time of the controller opening a large data file (read,
// into the grid, the measurements walked, every diagram drawn) and saving it again, each size in
// a process of its own so that every peak is its own. Not a test: run it and read the figures.
//   open_benchmark [rows ...]          (default 100000 1000000)
//   open_benchmark --write ROWS FILE   writes a data file of field-like rows (for other tools)
#include "app/contour.h"
#include "core/bmmain.h"
#include "core/document_writer.h"
#include "core/file_association.h"
#include "platform/console_dialogs.h"
#include "platform/desktop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <sys/resource.h>

namespace {

// Two clusters of bedding and joints over a scatter of everything else, as field notes hold them.
Document FieldDocument(int rows) {
    Document d;
    d.roseTitle = QStringLiteral("ローズダイアグラム");
    d.contourTitle = QStringLiteral("（シュミットネット下半球投影）\r\n");
    d.plotTitle = QStringLiteral("分布図");
    d.grades = {{1.0f, 0xFF0000u, int16_t(6)},
                {2.0f, 0x00FF00u, int16_t(5)},
                {4.0f, 0x0000FFu, int16_t(4)}};
    std::mt19937 random(20261208);
    std::normal_distribution<double> spread(0, 8);
    std::uniform_int_distribution<int> angle(0, 90);
    std::uniform_int_distribution<int> pick(0, 9);
    const auto text = [](double a) {
        return QString::number(std::clamp(int(std::lround(a)), 0, 90));
    };
    d.rows.reserve(size_t(rows));
    for (int n = 0; n < rows; ++n) {
        const int kind = pick(random);
        if (kind < 4)
            d.rows.push_back({text(30 + spread(random)), "E", text(45 + spread(random)), "SE"});
        else if (kind < 7)
            d.rows.push_back({text(65 + spread(random)), "W", text(70 + spread(random)), "NE"});
        else
            d.rows.push_back({QString::number(angle(random)), pick(random) % 2 ? "E" : "W",
                              QString::number(angle(random)), pick(random) % 2 ? "NW" : "SE"});
    }
    return d;
}

bool WriteFieldFile(int rows, const QString& path) {
    QFile file(path);
    const QByteArray bytes = DataFile::Write(FieldDocument(rows));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

struct Phase {
    double cpu;
    double wall;
    double peak;
};

template <class Work> Phase Measure(Work work) {
    QElapsedTimer timer;
    const double cpu = CpuSeconds();
    timer.start();
    work();
    return {CpuSeconds() - cpu, double(timer.nsecsElapsed()) / 1e9, PeakMegabytes()};
}

// One size in this process: start the controller, open the file, save it elsewhere.
int MeasureOne(const QString& path, const QString& savePath) {
    QTemporaryDir programFolder;
    BMMain::SetAppPath(programFolder.path());
    ConsoleDialogs dialogs;
    FileAssociation association(QStringLiteral("/opt/q/qstereo"),
                                programFolder.filePath(QStringLiteral("share")));
    association.SetRunTools(false);
    std::unique_ptr<Contour> contour;
    const Phase start = Measure([&] {
        contour = std::make_unique<Contour>(dialogs, association);
        contour->Initialise(QString());
    });
    bool opened = false;
    const Phase open = Measure([&] { opened = contour->OpenDataFile(path); });
    bool saved = false;
    const Phase save = Measure([&] { saved = contour->SaveDataFile(savePath); });
    std::printf("%9d  %6.0f MB  %7.2f/%-6.2f  %6.0f MB  %7.2f/%-6.2f  %6.0f MB  %7.2f/%-6.2f%s\n",
                contour->DataNumbers(), start.peak, start.cpu, start.wall, open.peak, open.cpu,
                open.wall, save.peak, save.cpu, save.wall, opened && saved ? "" : "  (FAILED)");
    return opened && saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && qstrcmp(argv[1], "--write") == 0)
        return WriteFieldFile(std::atoi(argv[2]), QString::fromLocal8Bit(argv[3])) ? 0 : 1;

    QApplication app(argc, argv);
    desktop::InstallFontSubstitutions();
    if (argc == 4 && qstrcmp(argv[1], "--one") == 0)
        return MeasureOne(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    QStringList sizes = QCoreApplication::arguments().mid(1);
    if (sizes.isEmpty())
        sizes = {QStringLiteral("100000"), QStringLiteral("1000000")};
    QTemporaryDir dir;
    const QString self = QCoreApplication::applicationFilePath();
    std::printf("peak resident size after each phase; processor/wall time in seconds\n");
    std::printf("%9s  %-23s  %-23s  %-23s\n", "rows", "  start-up", "  open and draw", "  save");
    std::fflush(stdout);
    int result = 0;
    for (const QString& size : sizes) {
        const QString file = dir.filePath(QStringLiteral("field%1.QST").arg(size));
        // Written by a process of its own, so that writing adds nothing to the figures.
        if (QProcess::execute(self, {QStringLiteral("--write"), size, file}) != 0 ||
            QProcess::execute(self, {QStringLiteral("--one"), file,
                                     dir.filePath(QStringLiteral("saved.QST"))}) != 0)
            result = 1;
    }
    return result;
}
