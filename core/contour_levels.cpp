#include "core/contour_levels.h"

#include "core/hundredths.h"
#include "core/vb.h"

#include <algorithm>

namespace ContourLevels {

Prepared Prepare(const std::vector<Level>& levels) {
    Prepared prepared;
    for (const Level& level : levels) {
        const bool duplicate =
            std::any_of(prepared.ordered.begin(), prepared.ordered.end(),
                        [&](const Level& kept) { return kept.value == level.value; });
        if (duplicate)
            prepared.removed.push_back(level.index);
        else
            prepared.ordered.push_back(level);
    }
    // Values are distinct now: a level's position is the number of levels above it.
    std::stable_sort(prepared.ordered.begin(), prepared.ordered.end(),
                     [](const Level& a, const Level& b) { return a.value > b.value; });
    return prepared;
}

std::vector<Level> FromGrades(const std::vector<Document::Grade>& grades) {
    std::vector<Level> levels;
    levels.reserve(grades.size());
    for (size_t n = 0; n < grades.size(); ++n) {
        const int index = int(n) + 1;
        const Document::Grade& grade = grades[n];
        // Kept to hundredths, as the program keeps a level it reads from a file.
        levels.push_back({index, SingleHundredths(grade.value), grade.foreColor,
                          grade.fillStyle.value_or(DataFile::DefaultPattern(index))});
    }
    return levels;
}

float Threshold(int32_t dataNumbers, float value) {
    return float(dataNumbers) * value / 100.0f;
}

QString LegendText(const std::vector<Level>& ordered, size_t position, int32_t countMax,
                   int32_t dataNumbers) {
    const QString percent = QStringLiteral("@@@@@\\％");
    QString upper;
    if (position > 0)
        upper = vb::Format(ordered[position - 1].value, percent);
    else if (dataNumbers > 0)
        upper = vb::Format(vb::Int(double(countMax) / dataNumbers * 100 + 0.5), percent);
    else
        upper = vb::Format(0, percent);
    return QStringLiteral(" ") + vb::Format(ordered[position].value, QStringLiteral("@@@@@")) +
           QStringLiteral("～") + upper;
}

} // namespace ContourLevels
