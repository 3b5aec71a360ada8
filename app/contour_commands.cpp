// The command table of the main window's menus and toolbar.
#include "app/contour.h"
#include "core/bmmain.h"
#include "core/dialogs.h"
#include "core/file_dialogs.h"
#include "core/file_names.h"
#include "diagrams/picture_box.h"
#include "platform/default_printer.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"
#include "windows/frm_rank_set.h"
#include "windows/frm_statistics.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

const QString kPrintQuestionTitle = QStringLiteral("QUILL Stereo");

} // namespace

void Contour::FormMain_MenuClick(int Index) {
    switch (Index) {
    case 1:
        NewCommand();
        break;
    case 2:
        OpenCommand();
        break;
    case 22:
        // What is being typed is checked and counted before it is written.
        FormMain->FinishCellEdit();
        SaveCommand();
        break;
    case 23:
        FormMain->FinishCellEdit();
        SaveAsCommand();
        break;
    case 31:
        if (dialogs_.message(QStringLiteral("ﾃﾞｰﾀ一覧表を印刷します。\r\nよろしいですか？"),
                             MsgButtons::YesNo, MsgIcon::Exclamation,
                             kPrintQuestionTitle) == MsgResult::Yes) {
            PrintDataList();
        }
        break;
    case 32:
        PrintCommand();
        break;
    case 33:
        PrinterSetupCommand();
        break;
    case 101:
        RedrawActiveCommand();
        break;
    case 102:
        CopyCommand();
        break;
    case 103:
        RedrawAll();
        break;
    case 202:
    case 203:
    case 204:
        ToggleGridCommand(Index - 202);
        break;
    case 205:
        showContourOnRank_ = !showContourOnRank_;
        FormMain->MenuItem(205)->setChecked(showContourOnRank_);
        DrawRankDiagram(0);
        break;
    case 111:
        AddLevel(0);
        break;
    case 112:
        AddPoleCommand();
        break;
    case 113:
        OpenPoleList();
        break;
    case 121:
        PlaceAutomaticMaxima();
        break;
    case 122:
        ShowStatisticsWindow();
        break;
    case 222:
    case 223:
    case 224:
        SetPlotMode(Index == 222   ? DiagramSettings::PlotMode::Poles
                    : Index == 223 ? DiagramSettings::PlotMode::Circles
                                   : DiagramSettings::PlotMode::Both);
        break;
    case 225:
        TogglePlotStatistics();
        break;
    case 301:
        ChangeLevelValue();
        break;
    case 311:
        DeleteLevel(FormRSet ? FormRSet->LabelIndex() : 0);
        break;
    case 321:
        ChangeLevelColour();
        break;
    case 400:
    case 401:
    case 402:
    case 403:
    case 404:
    case 405:
    case 406:
    case 407:
        ChangeLevelPattern(Index - 400);
        break;
    case 501:
        DeletePopupPole();
        break;
    case 211:
        ChangeScanCount();
        break;
    case 212:
        ChangeRoseWidth();
        break;
    case 1001:
        FormMain->CloseByCode();
        break;
    case 1011:
        ImportCommand();
        break;
    case 1012:
        ExportDataCommand();
        break;
    case -4:
        RankMenuOpened();
        break;
    default:
        // Any other number has no action.
        break;
    }
}

void Contour::NewCommand() {
    // What is being typed counts as a change before the document is replaced.
    FormMain->FinishCellEdit();
    if (!SaveChangesFirst())
        return;
    NewDocument(true);
    FormMain->setChange(false);
    SetCaption();
}

void Contour::OpenCommand() {
    FormMain->FinishCellEdit();
    if (!SaveChangesFirst())
        return;
    const QString path = BMContour::ShowOpenDialog(dialogs_, QString(), DialogFolder());
    if (path.isEmpty())
        return;
    lastFolder_ = QFileInfo(path).absolutePath();
    // A name typed into the dialog may be of any type.
    if (const QString refusal = UnopenableMessage(path); !refusal.isEmpty()) {
        ReportUnopenable(refusal);
        return;
    }
    // The file is read before anything of the current document is dropped, so a file that
    // cannot be opened leaves the document, its name and the caption as they were.
    if (OpenDataFile(path))
        SetCaption();
}

void Contour::SaveCommand() {
    if (HasOwnFile())
        SaveDataFile(fileName_);
    else
        SaveAsCommand();
    SetCaption();
}

void Contour::SaveAsCommand() {
    const QString path = BMContour::ShowSaveDialog(dialogs_, fileName_, DialogFolder());
    if (path.isEmpty())
        return;
    lastFolder_ = QFileInfo(path).absolutePath();
    fileName_ = path;
    untitled_ = false;
    SaveDataFile(fileName_);
    SetCaption();
}

void Contour::PrintCommand() {
    if (dialogs_.message(QStringLiteral("選択中の帳票を印刷します。\r\nよろしいですか？"),
                         MsgButtons::YesNo, MsgIcon::Exclamation,
                         kPrintQuestionTitle) != MsgResult::Yes)
        return;
    QWidget* active = FormMain->ActiveChild();
    if (active == FormPlot)
        DrawPlot(-1);
    else if (active == FormCont)
        DrawContourDiagram(-1);
    else if (active == FormRank)
        DrawRankDiagram(-1);
    else if (active == FormRose)
        DrawRose(-1);
}

void Contour::PrinterSetupCommand() {
    const auto chosen = dialogs_.printerSetup(DefaultPrinter::Name());
    if (chosen && !chosen->isEmpty())
        DefaultPrinter::SetName(*chosen);
}

void Contour::RedrawActiveCommand() {
    QWidget* active = FormMain->ActiveChild();
    if (active == FormRSet)
        DrawRankLegend();
    else if (active == FormPlot)
        DrawPlot(0);
    else if (active == FormCont)
        DrawContourDiagram(0);
    else if (active == FormRank)
        DrawRankDiagram(0);
    else if (active == FormRose)
        DrawRose(0);
}

void Contour::CopyCommand() {
    QWidget* active = FormMain->ActiveChild();
    PictureBox* picture = nullptr;
    if (auto* map = qobject_cast<frmMap*>(active))
        picture = &map->picCont();
    else if (auto* legend = qobject_cast<frmRankSet*>(active))
        picture = &legend->picRSet();
    else if (auto* statistics = qobject_cast<frmStatistics*>(active))
        statistics->CopyToClipboard();
    if (!picture)
        return;
    QGuiApplication::clipboard()->setImage(picture->Surface().Image());
}

void Contour::ToggleGridCommand(int index) {
    gridVisible_[index] = !gridVisible_[index];
    FormMain->MenuItem(202 + index)->setChecked(gridVisible_[index]);
    switch (index) {
    case 0:
        FormPlot->setGridline(gridVisible_[0]);
        DrawPlot(0);
        break;
    case 1:
        FormRank->setGridline(gridVisible_[1]);
        DrawRankDiagram(0);
        break;
    case 2:
        FormCont->setGridline(gridVisible_[2]);
        DrawContourDiagram(0);
        break;
    }
}

void Contour::RankMenuOpened() {
    const int selected = FormRSet ? FormRSet->LabelIndex() : 0;
    if (selected > 0) {
        for (int i = 400; i <= 407; ++i)
            FormMain->MenuItem(i)->setChecked(false);
        if (const Grade* level = Grades.Item(QStringLiteral("Gr_%1").arg(selected)))
            if (QAction* item = FormMain->MenuItem(400 + level->FillStyle()))
                item->setChecked(true);
        return;
    }
    Notify(dialogs_, QStringLiteral("編集するｺﾝﾀｰを選択して下さい。"), MsgIcon::Exclamation,
           QStringLiteral("ﾊﾟﾀｰﾝの変更"));
}
