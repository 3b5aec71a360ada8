// Prints the peak resident size and the time of the controller opening a large data file (read,
// into the grid, the measurements walked, every diagram drawn) and saving it again, each size in
// a process of its own so that every peak is its own. Not a test: run it and read the figures.
//   open_benchmark [rows ...]          (default 100000 1000000)
//   open_benchmark --write ROWS FILE   writes a data file of field-like rows (for other tools)
#include "app/contour.h"
#include "core/bmmain.h"
#include "core/document_writer.h"
#include "core/file_association.h"
#include "document_test_support.h"
#include "platform/console_dialogs.h"
#include "platform/desktop.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <sys/resource.h>

namespace {

// A new document's titles over rows as field notes hold them: two clusters of bedding and
// joints over a scatter of everything else; three contour levels.
Document FieldDocument(int rows) {
    Document d = NewDocumentValue();
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
    d.rows.clear();
    d.rows.reserve(size_t(rows));
    for (int n = 0; n < rows; ++n) {
        const int kind = pick(random);
        if (kind < 4)
            d.rows.push_back({text(30 + spread(random)), "E", text(45 + spread(random)), "SE"});
        else if (kind < 7)
            d.rows.push_back({text(65 + spread(random)), "W", text(70 + spread(random)), "NE"});
        else
            d.rows.push_back({text(angle(random)), pick(random) % 2 ? "E" : "W",
                              text(angle(random)), pick(random) % 2 ? "NW" : "SE"});
    }
    return d;
}

// Processor time (user and system) of some work, and the peak resident size after it.
struct Phase {
    double cpu;
    double peak;
};

template <class Work> Phase Measure(Work work) {
    const std::clock_t start = std::clock();
    work();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {double(std::clock() - start) / CLOCKS_PER_SEC, double(usage.ru_maxrss) / 1024.0};
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
    std::printf("%9d  %5.0f MB %5.2f s  %5.0f MB %5.2f s  %5.0f MB %5.2f s%s\n",
                contour->DataNumbers(), start.peak, start.cpu, open.peak, open.cpu, save.peak,
                save.cpu, opened && saved ? "" : "  (FAILED)");
    return opened && saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && qstrcmp(argv[1], "--write") == 0)
        return spit(QString::fromLocal8Bit(argv[3]),
                    DataFile::Write(FieldDocument(std::atoi(argv[2]))))
                   ? 0
                   : 1;

    QApplication app(argc, argv);
    desktop::InstallFontSubstitutions();
    if (argc == 4 && qstrcmp(argv[1], "--one") == 0)
        return MeasureOne(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    QStringList sizes = QCoreApplication::arguments().mid(1);
    if (sizes.isEmpty())
        sizes = {QStringLiteral("100000"), QStringLiteral("1000000")};
    QTemporaryDir dir;
    const QString self = QCoreApplication::applicationFilePath();
    std::printf("peak resident size and processor time after each phase\n");
    std::printf("%9s  %-16s  %-16s  %-16s\n", "rows", "start-up", "open and draw", "save");
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
