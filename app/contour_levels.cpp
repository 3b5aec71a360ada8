// The contour levels as the density diagrams read them: index, value, colour and pattern.
#include "app/contour.h"
#include "core/dialogs.h"
#include "windows/frm_rank_set.h"

std::vector<ContourLevels::Level> Contour::PrepareLevels() {
    ContourLevels::Prepared prepared = ContourLevels::PrepareGrades(Grades);
    if (!prepared.removed.empty() && FormRSet)
        FormRSet->setLabelIndex(0);
    return std::move(prepared.ordered);
}

void Contour::ShowDataError() {
    Notify(dialogs_, QStringLiteral("ﾃﾞｰﾀｴﾗｰの可能性があります。"), MsgIcon::Exclamation,
           QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ"));
}
