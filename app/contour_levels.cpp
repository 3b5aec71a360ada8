// The contour levels: adding, and the commands on the level selected in the legend window.
#include "app/contour.h"
#include "core/dialogs.h"
#include "core/hundredths.h"
#include "core/vb.h"
#include "windows/frm_main.h"
#include "windows/frm_rank_set.h"

#include <QAction>
#include <cmath>

namespace {

const QString kSelectToEdit = QStringLiteral("編集するｺﾝﾀｰを選択して下さい。");
const QString kValueTitle = QStringLiteral("ｺﾝﾀｰの設定");
const QString kDeleteTitle = QStringLiteral("ｺﾝﾀｰの削除");

QString LevelKey(int index) {
    return QStringLiteral("Gr_%1").arg(index);
}

} // namespace

std::vector<ContourLevels::Level> Contour::LevelsForDrawing() const {
    std::vector<ContourLevels::Level> levels;
    levels.reserve(Grades.Count());
    for (const Grade& level : Grades)
        levels.push_back({level.Index(), level.Value(), level.ForeColor(), level.FillStyle()});
    return levels;
}

std::vector<ContourLevels::Level> Contour::PrepareLevels() const {
    // Levels of equal value are drawn once; all of them stay the user's, in the legend and in
    // the file.
    return ContourLevels::Prepare(LevelsForDrawing()).ordered;
}

void Contour::ShowDataError() {
    Notify(dialogs_, QStringLiteral("ﾃﾞｰﾀｴﾗｰの可能性があります。"), MsgIcon::Exclamation,
           QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ"));
}

void Contour::EnableLevelItems(bool enabled) {
    for (int item : {301, 311, 321})
        if (QAction* action = FormMain ? FormMain->MenuItem(item) : nullptr)
            action->setEnabled(enabled);
}

Grade& Contour::AddLevel(float value) {
    const int n = FormRSet->LabelUBound() + 1;
    auto created = std::make_unique<Grade>(*FormRSet, n);
    Grade& level = *created;
    Grades.Add(LevelKey(n), std::move(created));
    level.SetIndex(n);
    level.SetForeColor(DataFile::DefaultLevelColor(n));
    level.SetFillStyle(DataFile::DefaultPattern(n));
    level.SetValue(value);
    EnableLevelItems(true);
    modified_ = true;
    return level;
}

Grade* Contour::SelectedLevel(const QString& title) {
    if (Grades.empty())
        return nullptr;
    const int index = FormRSet ? FormRSet->LabelIndex() : 0;
    Grade* level = index > 0 ? Grades.Item(LevelKey(index)) : nullptr;
    if (!level)
        Notify(dialogs_, kSelectToEdit, MsgIcon::Exclamation, title);
    return level;
}

void Contour::ChangeLevelValue() {
    Grade* level = SelectedLevel(kValueTitle);
    if (!level)
        return;
    const std::optional<QString> answer =
        dialogs_.input(QStringLiteral("ｺﾝﾀｰの閾値を入力して下さい\r\n(小数点以下２桁まで入力可能)"),
                       kValueTitle, vb::Format(level->Value(), QStringLiteral("0.00")));
    const QString text = vb::ToNarrow(answer.value_or(QString()).trimmed());
    if (text.isEmpty())
        return;
    float v = SingleHundredths(static_cast<float>(vb::Val(text)));
    // Without counted data there is no maximum density: a level cannot exceed every count.
    const float most = dataNumbers_ > 0 ? float(countMax_) / float(dataNumbers_) * 100.0f : 100.0f;
    if (!(v >= 0))
        v = 0;
    else if (v > most)
        v = most;
    SetLevelValue(*level, v);
}

void Contour::SetLevelValue(Grade& level, float value) {
    const float before = level.Value();
    level.SetValue(value);
    if (level.Value() != before)
        modified_ = true;
}

void Contour::ChangeLevelColour() {
    Grade* level = SelectedLevel(QStringLiteral("ｺﾝﾀｰ色の変更"));
    if (!level)
        return;
    const std::optional<uint32_t> color = dialogs_.color(level->ForeColor());
    if (color && *color != level->ForeColor()) {
        level->SetForeColor(*color);
        modified_ = true;
    }
}

void Contour::ChangeLevelPattern(int pattern) {
    Grade* level = SelectedLevel(QStringLiteral("ﾊﾟﾀｰﾝの変更"));
    if (level && level->FillStyle() != pattern) {
        level->SetFillStyle(pattern);
        modified_ = true;
    }
}

void Contour::DeleteLevel(int index) {
    if (Grades.empty())
        return;
    Grade* level = index > 0 ? Grades.Item(LevelKey(index)) : nullptr;
    if (!level) {
        Notify(dialogs_, QStringLiteral("削除するｺﾝﾀｰを選択して下さい。"), MsgIcon::Exclamation,
               kDeleteTitle);
        return;
    }
    const QString question = QStringLiteral("ｺﾝﾀｰを削除してもよろしいですか？\r\n（閾値：") +
                             vb::Format(level->Value()) + u')';
    if (dialogs_.message(question, MsgButtons::YesNo, MsgIcon::Exclamation, kDeleteTitle) !=
        MsgResult::Yes)
        return;
    Grades.Remove(LevelKey(index));
    FormRSet->setLabelIndex(0);
    modified_ = true;
    if (Grades.empty())
        EnableLevelItems(false);
}
