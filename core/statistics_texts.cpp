#include "core/statistics_texts.h"

#include "core/density_texts.h"

namespace StatisticsTexts {

namespace {

const QString kUndefined = QStringLiteral("－");

QString Number(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}

QString Optional(const std::optional<double>& v, int decimals, const QString& unit = {}) {
    return v ? Number(*v, decimals) + unit : kUndefined;
}

QString FabricText(OrientationStatistics::Fabric fabric) {
    using OrientationStatistics::Fabric;
    switch (fabric) {
    case Fabric::Cluster:
        return QStringLiteral("ｸﾗｽﾀｰ（集中型）");
    case Fabric::Girdle:
        return QStringLiteral("ｶﾞｰﾄﾞﾙ（帯状型）");
    case Fabric::Random:
        return QStringLiteral("ﾗﾝﾀﾞﾑ（一様）");
    case Fabric::Undetermined:
        break;
    }
    return kUndefined;
}

} // namespace

QString DirectionText(const OrientationStatistics::Direction& d) {
    return Number(d.trend, 1) + QStringLiteral("°／") + Number(d.plunge, 1) + QStringLiteral("°");
}

QString PlaneText(const OrientationStatistics::Direction& d) {
    return Density::OrientationText(OrientationStatistics::PlaneOf(d));
}

std::vector<Row> Rows(const OrientationStatistics::Statistics& s) {
    const bool any = s.HasPoles();
    const auto direction = [&](const OrientationStatistics::Direction& d) {
        return any ? DirectionText(d) : kUndefined;
    };
    const auto plane = [&](const OrientationStatistics::Direction& d) {
        return any ? PlaneText(d) : kUndefined;
    };
    std::vector<Row> rows = {{QStringLiteral("ﾃﾞｰﾀ数"), QStringLiteral("%1個").arg(s.poles)}};
    for (size_t k = 0; k < 3; ++k)
        rows.push_back({QStringLiteral("固有値 S%1").arg(k + 1),
                        any ? Number(s.eigenvalues[k], 4) : kUndefined});
    for (size_t k = 0; k < 3; ++k)
        rows.push_back({QStringLiteral("固有ﾍﾞｸﾄﾙ E%1（方位／ﾌﾟﾗﾝｼﾞ）").arg(k + 1),
                        direction(s.eigenvectors[k])});
    rows.push_back({QStringLiteral("Woodcock の形状 K"), Optional(s.woodcockK, 2)});
    rows.push_back({QStringLiteral("Woodcock の強度 C"), Optional(s.woodcockC, 2)});
    rows.push_back({QStringLiteral("ﾌｧﾌﾞﾘｯｸの型"), FabricText(s.fabric)});
    rows.push_back({QStringLiteral("平均極（方位／ﾌﾟﾗﾝｼﾞ）"), direction(s.meanPole)});
    rows.push_back({QStringLiteral("平均極の面"), plane(s.meanPole)});
    rows.push_back(
        {QStringLiteral("合成ﾍﾞｸﾄﾙ長 R／N"), any ? Number(s.resultantLength, 4) : kUndefined});
    rows.push_back({QStringLiteral("Fisher の集中度 k"), Optional(s.fisherK, 1)});
    rows.push_back(
        {QStringLiteral("95％信頼円錐 α95"), Optional(s.alpha95, 1, QStringLiteral("°"))});
    const bool girdle = s.girdleAxis.has_value();
    rows.push_back({QStringLiteral("褶曲軸 E3（方位／ﾌﾟﾗﾝｼﾞ）"),
                    girdle ? DirectionText(*s.girdleAxis) : kUndefined});
    rows.push_back({QStringLiteral("ｶﾞｰﾄﾞﾙの面"), girdle ? PlaneText(*s.girdleAxis) : kUndefined});
    return rows;
}

QString ClipboardText(const std::vector<Row>& rows) {
    QString text;
    for (const Row& row : rows)
        text += row.item + u'\t' + row.value + QStringLiteral("\r\n");
    return text;
}

} // namespace StatisticsTexts
