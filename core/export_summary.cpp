#include "core/export_summary.h"

#include "core/bmpole.h"
#include "core/density_texts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace ExportSummary {

namespace {

template <class Numbers> QJsonArray NumberArray(const Numbers& numbers) {
    QJsonArray array;
    for (const auto n : numbers)
        array.append(qint64(n));
    return array;
}

QJsonArray Levels(const Density::DensityResult& density,
                  const std::vector<ContourLevels::Level>& ordered) {
    QJsonArray levels;
    for (size_t position = ordered.size(); position-- > 0;) {
        const ContourLevels::Level& level = ordered[position];
        levels.append(QJsonObject{
            {QStringLiteral("index"), level.index},
            {QStringLiteral("value"), double(level.value)},
            {QStringLiteral("color"), ColorText(level.color)},
            {QStringLiteral("fill"), level.fillStyle},
            {QStringLiteral("threshold"),
             double(ContourLevels::Threshold(density.dataNumbers, level.value))},
            {QStringLiteral("legendText"),
             ContourLevels::LegendText(ordered, position, density.countMax, density.dataNumbers)},
        });
    }
    return levels;
}

QJsonObject OrientationJson(const BMPole::Orientation& o) {
    return {{QStringLiteral("strike"), o.StrikeAngle},
            {QStringLiteral("side"), o.StrikeSide},
            {QStringLiteral("dip"), o.DipAngle},
            {QStringLiteral("direction"), o.DipDirection}};
}

QJsonObject DirectionJson(const OrientationStatistics::Direction& d) {
    return {{QStringLiteral("trend"), d.trend}, {QStringLiteral("plunge"), d.plunge}};
}

// A line with the plane whose pole it is.
QJsonObject PoleJson(const OrientationStatistics::Direction& d) {
    QJsonObject pole = DirectionJson(d);
    pole.insert(QStringLiteral("plane"), OrientationJson(OrientationStatistics::PlaneOf(d)));
    return pole;
}

QJsonValue Optional(const std::optional<double>& v) {
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QJsonValue FabricJson(OrientationStatistics::Fabric fabric) {
    switch (fabric) {
    case OrientationStatistics::Fabric::Cluster:
        return QStringLiteral("cluster");
    case OrientationStatistics::Fabric::Girdle:
        return QStringLiteral("girdle");
    case OrientationStatistics::Fabric::Random:
        return QStringLiteral("random");
    case OrientationStatistics::Fabric::Undetermined:
        break;
    }
    return QJsonValue::Null;
}

QJsonObject StatisticsJson(const OrientationStatistics::Statistics& s) {
    QJsonObject statistics{{QStringLiteral("poles"), qint64(s.poles)}};
    if (!s.HasPoles())
        return statistics;
    QJsonArray vectors;
    for (const OrientationStatistics::Direction& e : s.eigenvectors)
        vectors.append(DirectionJson(e));
    statistics.insert(QStringLiteral("eigenvalues"),
                      QJsonArray{s.eigenvalues[0], s.eigenvalues[1], s.eigenvalues[2]});
    statistics.insert(QStringLiteral("eigenvectors"), vectors);
    statistics.insert(QStringLiteral("meanPole"), PoleJson(s.meanPole));
    statistics.insert(QStringLiteral("resultantLength"), s.resultantLength);
    statistics.insert(QStringLiteral("fisherK"), Optional(s.fisherK));
    statistics.insert(QStringLiteral("alpha95"), Optional(s.alpha95));
    statistics.insert(QStringLiteral("woodcockK"), Optional(s.woodcockK));
    statistics.insert(QStringLiteral("woodcockC"), Optional(s.woodcockC));
    statistics.insert(QStringLiteral("fabric"), FabricJson(s.fabric));
    statistics.insert(QStringLiteral("girdleAxis"),
                      s.girdleAxis ? QJsonValue(PoleJson(*s.girdleAxis)) : QJsonValue());
    return statistics;
}

QJsonArray MaximaJson(const std::vector<LocalMaxima::Maximum>& maxima) {
    QJsonArray array;
    for (const LocalMaxima::Maximum& m : maxima)
        array.append(QJsonObject{{QStringLiteral("node"), QJsonArray{m.i, m.j}},
                                 {QStringLiteral("count"), m.count},
                                 {QStringLiteral("percent"), m.percent},
                                 {QStringLiteral("orientation"), OrientationJson(m.orientation)}});
    return array;
}

} // namespace

QString ColorText(uint32_t color) {
    return QStringLiteral("#%1%2%3")
        .arg(color & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((color >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((color >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

QByteArray SummaryJson(const Density::DensityResult& density,
                       const std::vector<ContourLevels::Level>& ordered, const RoseFigures& rose,
                       const OrientationStatistics::Statistics& statistics,
                       const std::vector<LocalMaxima::Maximum>& maxima) {
    const BMPole::Orientation maximum =
        Density::NodeOrientation(density.grid, density.maximumI, density.maximumJ);
    // Nothing counted has no maximum to place.
    const bool counted = density.countMax > 0;
    QJsonArray rankColors;
    for (const uint32_t color : density.rankColors)
        rankColors.append(ColorText(color));
    const QJsonObject summary{
        {QStringLiteral("dataCount"), density.dataNumbers},
        {QStringLiteral("countMax"), density.countMax},
        {QStringLiteral("countedNodes"), density.countedNodes},
        {QStringLiteral("maximumNode"),
         counted ? QJsonValue(QJsonArray{density.maximumI, density.maximumJ}) : QJsonValue()},
        {QStringLiteral("maximumOrientation"),
         counted ? QJsonValue(OrientationJson(maximum)) : QJsonValue()},
        {QStringLiteral("histogram"), NumberArray(density.histogram)},
        {QStringLiteral("statusTexts"),
         QJsonArray{Density::DataCountText(density), Density::MaximumText(density),
                    rose.dominantText}},
        {QStringLiteral("rankCaption"), Density::RankCaption(density)},
        {QStringLiteral("rankColors"), rankColors},
        {QStringLiteral("levels"), Levels(density, ordered)},
        {QStringLiteral("rose"), QJsonObject{{QStringLiteral("divisions"), rose.divisions},
                                             {QStringLiteral("bins"), NumberArray(rose.bins)},
                                             {QStringLiteral("largest"), rose.largest},
                                             {QStringLiteral("dominantBin"), rose.dominantBin},
                                             {QStringLiteral("scaleMax"), rose.scaleMax}}},
        {QStringLiteral("statistics"), StatisticsJson(statistics)},
        {QStringLiteral("localMaxima"), MaximaJson(maxima)},
    };
    return QJsonDocument(summary).toJson(QJsonDocument::Indented);
}

QByteArray DensityCsv(const Density::DensityGrid& grid) {
    QByteArray csv;
    for (int i = grid.Low(); i <= grid.High(); ++i) {
        for (int j = grid.Low(); j <= grid.High(); ++j) {
            if (j > grid.Low())
                csv += ',';
            csv += QByteArray::number(grid(i, j));
        }
        csv += '\n';
    }
    return csv;
}

} // namespace ExportSummary
