// The contour levels as the density diagrams read them: index, value, colour and pattern.
#include "app/contour.h"
#include "core/dialogs.h"
#include "windows/frm_rank_set.h"

#include <algorithm>

std::vector<ContourLevels::Level> Contour::LevelsForDrawing() const {
    std::vector<ContourLevels::Level> levels;
    levels.reserve(Grades.size());
    for (size_t n = 0; n < Grades.size(); ++n) {
        // A level's number is its place in the collection, counted from 1.
        const int index = int(n) + 1;
        const Document::Grade& grade = Grades[n];
        levels.push_back({index, grade.value, grade.foreColor,
                          grade.fillStyle.value_or(DataFile::DefaultPattern(index))});
    }
    return levels;
}

std::vector<ContourLevels::Level> Contour::PrepareLevels() {
    ContourLevels::Prepared prepared = ContourLevels::Prepare(LevelsForDrawing());
    if (prepared.removed.empty())
        return std::move(prepared.ordered);
    // From the back, so the numbers of the levels still to remove stay valid.
    std::sort(prepared.removed.rbegin(), prepared.removed.rend());
    for (const int index : prepared.removed)
        Grades.erase(Grades.begin() + (index - 1));
    if (FormRSet)
        FormRSet->setLabelIndex(0);
    // The levels that stay are numbered afresh.
    return ContourLevels::Prepare(LevelsForDrawing()).ordered;
}

void Contour::ShowDataError() {
    Notify(dialogs_, QStringLiteral("ﾃﾞｰﾀｴﾗｰの可能性があります。"), MsgIcon::Exclamation,
           QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ"));
}
