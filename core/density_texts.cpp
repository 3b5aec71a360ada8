#include "core/density_texts.h"

namespace Density {

QString DataCountText(const DensityResult& result) {
    return QStringLiteral("ﾃﾞｰﾀ総数：%1個").arg(result.dataNumbers);
}

QString MaximumText(const DensityResult& result) {
    // Without a count there is no maximum to name.
    if (result.countMax <= 0)
        return QString();
    const BMPole::Orientation o = NodeOrientation(result.grid, result.maximumI, result.maximumJ);
    return QStringLiteral("極大値：%1個（%2）").arg(result.countMax).arg(OrientationText(o));
}

BMPole::Orientation NodeOrientation(const DensityGrid& grid, int i, int j) {
    const double r = grid.Radius() > 0 ? grid.Radius() : 1;
    return BMPole::NetToOrientation(float(i / r - 1), float(j / r - 1));
}

QString OrientationText(const BMPole::Orientation& o) {
    return QStringLiteral("N%1ﾟ%2%3ﾟ%4")
        .arg(o.StrikeAngle)
        .arg(o.StrikeSide)
        .arg(o.DipAngle)
        .arg(o.DipDirection);
}

QString RankCaption(const DensityResult& result) {
    if (result.countMax <= 0)
        return QStringLiteral("頻度分布図（段彩）");
    return QStringLiteral("頻度分布図（段彩）（最大値＝%1）").arg(result.countMax);
}

} // namespace Density
