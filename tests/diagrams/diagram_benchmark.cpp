// Prints how long the density run and each diagram's drawing on the window picture take, and a
// full redraw (the run and the four diagrams), for growing data sets at R = 100 with ten
// contour levels; then the orientation statistics, the local maxima of the density grid and
// the plot with great circles. Not a test: run it and read the figures.
//   diagram_benchmark [measurements ...]   (default 1000 10000 100000 1000000)
#include "core/bmmain.h"
#include "core/contour_levels.h"
#include "core/density.h"
#include "core/local_maxima.h"
#include "core/measurement.h"
#include "core/orientation_statistics.h"
#include "core/rose.h"
#include "diagrams/density_diagrams.h"
#include "diagrams/diagram_page.h"
#include "diagrams/picture_surface.h"
#include "diagrams/plot_drawing.h"
#include "diagrams/rose_drawing.h"
#include "platform/desktop.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <random>

namespace {

// Field-like data: two clusters of bedding and joints over a scatter of everything else.
std::vector<Measurements::Measurement> FieldData(int count) {
    std::mt19937 random(20261208);
    std::normal_distribution<double> spread(0, 8);
    std::uniform_int_distribution<int> angle(0, 90);
    std::uniform_int_distribution<int> pick(0, 9);
    const auto clamp = [](double a) { return std::clamp(int(std::lround(a)), 0, 90); };
    std::vector<Measurements::Measurement> data;
    data.reserve(size_t(count));
    for (int n = 0; n < count; ++n) {
        const int kind = pick(random);
        if (kind < 4)
            data.push_back({clamp(30 + spread(random)), QStringLiteral("E"),
                            clamp(45 + spread(random)), QStringLiteral("SE")});
        else if (kind < 7)
            data.push_back({clamp(65 + spread(random)), QStringLiteral("W"),
                            clamp(70 + spread(random)), QStringLiteral("NE")});
        else
            data.push_back(
                {angle(random), pick(random) % 2 ? QStringLiteral("E") : QStringLiteral("W"),
                 angle(random), pick(random) % 2 ? QStringLiteral("NW") : QStringLiteral("SE")});
    }
    return data;
}

std::vector<ContourLevels::Level> TenLevels() {
    std::vector<ContourLevels::Level> levels;
    for (int k = 1; k <= 10; ++k)
        levels.push_back({k, float(k), uint32_t(0x101010 * k), 7 - k % 6});
    return ContourLevels::Prepare(levels).ordered;
}

double CpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Wall-clock and processor time of one piece of work: on a shared machine the second one
// shows what the work costs.
struct Time {
    double wall = 0;
    double cpu = 0;
};

Time Measure(const std::function<void()>& work) {
    QElapsedTimer timer;
    const double cpu = CpuMilliseconds();
    timer.start();
    work();
    return {double(timer.nsecsElapsed()) / 1e6, CpuMilliseconds() - cpu};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    desktop::InstallFontSubstitutions();
    BMMain::NetRadius = 100;

    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 10000, 100000, 1000000};

    // The window picture: 200 x 150 mm at screen resolution.
    PictureSurface picture(QSize(756, 567), 96);
    const std::vector<ContourLevels::Level> levels = TenLevels();

    std::printf("R = 100, 10 levels, picture %dx%d; wall/processor time in ms\n",
                picture.Size().width(), picture.Size().height());
    std::printf("%9s %-11s %-11s %-11s %-11s %-11s %-11s\n", "data", " density", " plot", " rose",
                " rank", " contour", " full");
    for (const int count : sizes) {
        const std::vector<Measurements::Measurement> data = FieldData(count);
        Density::DensityResult density;
        const auto run = [&] { density = Density::ComputeDensity(data); };
        const auto plot = [&] {
            DiagramPage::DrawDiagramPicture(picture, [&](DrawingSurface& s, float penFactor) {
                return PlotDrawing::DrawPlot(s, penFactor, data, false);
            });
            picture.Flush();
        };
        // Counting the strikes is part of the rose's drawing, as in the program.
        const auto rose = [&] {
            const Rose::Counts counts = Rose::CountStrikes(data, 16);
            DiagramPage::DrawDiagramPicture(picture, [&](DrawingSurface& s, float penFactor) {
                return RoseDrawing::DrawRose(s, penFactor, counts, 16);
            });
            picture.Flush();
        };
        const auto rank = [&] {
            DrawRankDiagram(picture, false, density, levels, {});
            picture.Flush();
        };
        const auto contour = [&] {
            DrawContourDiagram(picture, false, density, levels, {});
            picture.Flush();
        };
        const Time t[] = {Measure(run),
                          Measure(plot),
                          Measure(rose),
                          Measure(rank),
                          Measure(contour),
                          Measure([&] {
                              run();
                              plot();
                              rose();
                              rank();
                              contour();
                          })};
        std::printf("%9d", count);
        for (const Time& time : t)
            std::printf(" %5.0f/%-5.0f", time.wall, time.cpu);
        std::printf("  (largest count %d)\n", int(density.countMax));
    }

    std::printf("\nanalysis at R = 100; wall/processor time in ms\n");
    std::printf("%9s %-11s %-11s %-11s %-11s\n", "data", " statistics", " maxima", " circles",
                " all+stats");
    for (const int count : sizes) {
        const std::vector<Measurements::Measurement> data = FieldData(count);
        const Density::DensityResult density = Density::ComputeDensity(data);
        OrientationStatistics::Statistics statistics;
        std::vector<LocalMaxima::Maximum> maxima;
        // The plot with great circles instead of poles, then with both and the statistics over
        // them, as the window draws it.
        const auto plot = [&](PlotDrawing::PlotOptions options) {
            DiagramPage::DrawDiagramPicture(picture, [&](DrawingSurface& s, float penFactor) {
                return PlotDrawing::DrawPlot(s, penFactor, data, false, options);
            });
            picture.Flush();
        };
        using DiagramSettings::PlotMode;
        const Time t[] = {Measure([&] { statistics = OrientationStatistics::Compute(data); }),
                          Measure([&] { maxima = LocalMaxima::Find(density); }), Measure([&] {
                              plot({PlotMode::Circles, nullptr});
                          }),
                          Measure([&] {
                              const auto all = OrientationStatistics::Compute(data);
                              plot({PlotMode::Both, &all});
                          })};
        std::printf("%9d", count);
        for (const Time& time : t)
            std::printf(" %5.1f/%-5.1f", time.wall, time.cpu);
        std::printf("  (S1 %.3f, %zu maxima)\n", statistics.eigenvalues[0], maxima.size());
    }
    return 0;
}
