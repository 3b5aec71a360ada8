#include "app/contour.h"

#include "core/bmmain.h"
#include "core/diagram_settings.h"
#include "core/dialogs.h"
#include "core/file_dialogs.h"
#include "core/file_names.h"
#include "core/vb.h"
#include "diagrams/printer_surface.h"
#include "platform/default_printer.h"
#include "platform/desktop.h"
#include "tabula.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"
#include "windows/frm_rank_set.h"
#include "windows/frm_statistics.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>

namespace {

const QString kProgramTitle = QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ");
// Default titles; the plot and contour titles open with an empty line.
const QString kNetTitle = QStringLiteral("\r\n（シュミットネット下半球投影）");

// Removes a child window with its frame and clears the field that held it.
template <class Form> void UnloadForm(Form*& field) {
    QWidget* form = field;
    if (!form)
        return;
    field = nullptr;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        delete frame;
    else
        delete form;
}

} // namespace

Contour::Contour(Dialogs& dialogs, const FileAssociation& association, QObject* parent)
    : QObject(parent), dialogs_(dialogs), association_(association) {
    printerFactory_ = []() -> std::unique_ptr<DrawingSurface> {
        if (!DefaultPrinter::Available())
            return nullptr;
        return std::make_unique<PrinterSurface>();
    };
}

Contour::~Contour() {
    UnloadChildWindows();
    delete FormMain;
}

void Contour::Initialise(const QString& commandLine) {
    countedNodes_ = 0;
    dataNumbers_ = 0;
    countMax_ = 0;
    showContourOnRank_ = true;
    modified_ = false;
    gridVisible_ = DiagramSettings::ReadGridVisible();
    roseDivisions_ = DiagramSettings::ReadRoseDivisions();
    plotMode_ = DiagramSettings::ReadPlotMode();
    plotStatistics_ = DiagramSettings::ReadPlotStatistics();
    fileName_ = QStringLiteral("新規.QST");
    untitled_ = true;

    CreateWindows();

    // The command line may name one data file, possibly in double quotes.
    QString name = commandLine.trimmed();
    if (name.startsWith(u'"'))
        name.remove(0, 1);
    if (name.endsWith(u'"'))
        name.chop(1);
    const QString refusal = name.isEmpty() ? QString() : UnopenableMessage(name);
    bool opened = false;
    if (!name.isEmpty() && refusal.isEmpty())
        opened = OpenDataFile(name);
    if (!opened) {
        // Also after a refused file: the empty diagrams are drawn and the windows usable.
        Hourglass hourglass;
        RedrawAll();
        SetChildWindowsEnabled(true);
    }
    // The first drawing brought each diagram forward in turn; the window stored maximised
    // stands in front again.
    if (frontAtStart_)
        FormMain->mdiArea().setActiveSubWindow(frontAtStart_);
    FormMain->grdData().setFocus();
    // Said once the program is up, so that the message is not hidden behind the splash.
    if (!refusal.isEmpty())
        QTimer::singleShot(0, this, [this, refusal] { ReportUnopenable(refusal); });
}

void Contour::CreateWindows() {
    FormMain = new frmMain(dialogs_, association_);
    connect(FormMain, &frmMain::MenuClick, this, &Contour::FormMain_MenuClick);
    connect(FormMain, &frmMain::QueryUnload, this, &Contour::FormMain_QueryUnload,
            Qt::DirectConnection);
    FormMain->MenuItem(205)->setChecked(showContourOnRank_);
    for (int i = 0; i < 3; ++i)
        FormMain->MenuItem(202 + i)->setChecked(gridVisible_[i]);
    CheckPlotItems();
    FormMain->setWindowTitle(kProgramTitle);
    // The level items are usable while a level exists.
    EnableLevelItems(false);
    FormMain->show();

    // Shown one after the other, each window would take a stored maximised state over from
    // the one before it (the area maximises a newly active window while the active one is).
    QMdiArea& area = FormMain->mdiArea();
    area.setOption(QMdiArea::DontMaximizeSubWindowOnActivation, true);

    FormRSet = new frmRankSet;
    FormMain->AddChild(FormRSet);
    connect(FormRSet, &frmRankSet::Activate, this, [this] { EnableLevelCommands(true); });
    connect(FormRSet, &frmRankSet::Deactivate, this, [this] { EnableLevelCommands(false); });
    connect(FormRSet, &frmRankSet::MenuButtonDown, this, &Contour::ShowPopupMenu);
    connect(FormRSet, &frmRankSet::Move, this, &Contour::FormRSet_Move);
    connect(FormRSet, &frmRankSet::DeleteButtonClick, this, &Contour::DeleteLevel);
    connect(FormRSet, &frmRankSet::Resize, this, &Contour::DrawRankLegend);
    Positions.SetWindowPosML2(FormRSet, QStringLiteral("RankSet"));
    FormRSet->show();
    FormRSet->setEnabled(false);

    struct DiagramWindow {
        frmMap*& field;
        const char* section;
        QString caption;
        int mapType;
    };
    DiagramWindow windows[] = {
        {FormPlot, "Plot", QStringLiteral("ｼｭﾐｯﾄﾈｯﾄ投影図"), 2},
        {FormRose, "Rose", QStringLiteral("ﾛｰｽﾞﾀﾞｲｱｸﾞﾗﾑ"), 4},
        {FormRank, "Rank", QStringLiteral("頻度分布図（段彩）"), 3},
        {FormCont, "Contour", QStringLiteral("頻度分布図（ｺﾝﾀｰ）"), 1},
    };
    for (DiagramWindow& s : windows) {
        frmMap* form = new frmMap(dialogs_);
        s.field = form;
        FormMain->AddChild(form);
        ConnectMapEvents(form);
        Positions.SetWindowPosML2(form, QString::fromLatin1(s.section));
        form->setWindowTitle(s.caption);
        form->setMapType(s.mapType);
        switch (s.mapType) {
        case 2:
            form->setTitle(kNetTitle);
            form->setGridline(gridVisible_[0]);
            break;
        case 4:
            form->setTitle(vb::ToWide(s.caption));
            form->SetTitleTop(BMMain::NetRadius * 0.25f);
            break;
        case 3:
            form->setGridline(gridVisible_[1]);
            form->lblTitle().hide();
            break;
        case 1:
            form->setTitle(kNetTitle);
            form->setGridline(gridVisible_[2]);
            break;
        }
        form->show();
        form->setEnabled(false);
    }
    // A maximised window stands in front, as it did when it was saved.
    for (QMdiSubWindow* sub : area.subWindowList())
        if (sub->isMaximized())
            frontAtStart_ = sub;
    if (frontAtStart_)
        area.setActiveSubWindow(frontAtStart_);
    FormMain->installEventFilter(this);
    // On a first run nothing is stored: tile the five windows so every diagram shows.
    bool stored = false;
    for (const char* section : {"RankSet", "Plot", "Rose", "Rank", "Contour"})
        stored = stored || WindowPosition::Read(QString::fromLatin1(section), 0).status >= 0;
    if (!stored)
        area.tileSubWindows();
}

bool Contour::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FormMain && event->type() == QEvent::WindowActivate) {
        FormMain->removeEventFilter(this);
        // After the activation has gone round the child windows.
        QTimer::singleShot(0, this, [this] {
            if (!FormMain)
                return;
            if (frontAtStart_)
                FormMain->mdiArea().setActiveSubWindow(frontAtStart_);
            FormMain->mdiArea().setOption(QMdiArea::DontMaximizeSubWindowOnActivation, false);
        });
    }
    return QObject::eventFilter(watched, event);
}

void Contour::ConnectMapEvents(frmMap* form) {
    const bool poles = form == FormPlot || form == FormCont;
    // Only the plot and the contour diagram hold maximum points.
    if (poles) {
        connect(form, &frmMap::Activate, this, [this] { EnablePoleCommands(true); });
        connect(form, &frmMap::Deactivate, this, [this] { EnablePoleCommands(false); });
        connect(form, &frmMap::MovePole, this,
                [this, form](int index, float x, float y) { FormMap_MovePole(form, index, x, y); });
        connect(form, &frmMap::MovePoleLabel, this, [this, form] { PolesEdited(form); });
    }
    connect(form, &frmMap::MenuButtonDown, this, &Contour::ShowPopupMenu);
    // The titles are saved with the document.
    connect(form, &frmMap::TitleChange, this, [this] { modified_ = true; });
}

void Contour::ShowPopupMenu(int Index) {
    // Only the draw menu, the rank-edit menu and the hidden maximum-point menu pop up.
    if (FormMain && (Index == 2 || Index == 4 || Index == 6))
        FormMain->PopupMenu(Index);
}

void Contour::EnablePoleCommands(bool enabled) {
    if (!FormMain)
        return;
    FormMain->MenuItem(112)->setEnabled(enabled);
    FormMain->MenuItem(113)->setEnabled(enabled);
    FormMain->ToolButton(QStringLiteral("pole"))->setEnabled(enabled);
}

void Contour::EnableLevelCommands(bool enabled) {
    if (!FormMain)
        return;
    // Levels are added and edited while the legend is active; diagrams are printed otherwise.
    FormMain->MenuItem(32)->setEnabled(!enabled);
    FormMain->ToolButton(QStringLiteral("print"))->setEnabled(!enabled);
    FormMain->MenuItem(111)->setEnabled(enabled);
    FormMain->ToolButton(QStringLiteral("contour"))->setEnabled(enabled);
    FormMain->TopMenu(4)->menuAction()->setEnabled(enabled);
}

void Contour::FormMap_MovePole(frmMap* form, int Index, float X, float Y) {
    // The window has moved the marker and its line; the label tells where it now stands.
    Pole* pole = PolesOf(form).Item(QStringLiteral("P_%1").arg(Index));
    if (!pole || (pole->X == X && pole->Y == Y))
        return;
    pole->X = X;
    pole->Y = Y;
    pole->SetLabelCaption();
    PolesEdited(form);
}

void Contour::FormRSet_Move(int Index, float Value) {
    // A level below 0 % would take in every node, also those outside the net.
    if (Grade* level = Grades.Item(QStringLiteral("Gr_%1").arg(Index)))
        SetLevelValue(*level, Value >= 0 ? Value : 0);
}

void Contour::SetChildWindowsEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(FormRSet), static_cast<QWidget*>(FormPlot),
                       static_cast<QWidget*>(FormRose), static_cast<QWidget*>(FormRank),
                       static_cast<QWidget*>(FormCont)})
        if (w)
            w->setEnabled(enabled);
}

void Contour::SetCaption() {
    FormMain->setWindowTitle(kProgramTitle + QStringLiteral(" - [") + fileName_ + u']');
}

QString Contour::DialogFolder() const {
    const QFileInfo current(fileName_);
    if (current.isAbsolute() && current.absoluteDir().exists())
        return current.absolutePath();
    if (!lastFolder_.isEmpty())
        return lastFolder_;
    // Not the program folder, which is the current one: the user's files are at home.
    return QDir::homePath();
}

bool Contour::HasOwnFile() const {
    return !untitled_ && BMMain::FileExists(fileName_);
}

bool Contour::SaveChangesFirst() {
    // The grid's flag is asked afresh each time and not copied into Modified: undoing the grid
    // back to what was saved clears it again.
    const bool changed = modified_ || FormMain->Change();
    if (!changed)
        return true;
    const MsgResult answer = dialogs_.message(
        QStringLiteral("ﾃﾞｰﾀは変更されています。\r\n変更内容を保存しますか？"),
        MsgButtons::YesNoCancel, MsgIcon::Exclamation, QStringLiteral("Quill Net"));
    if (answer == MsgResult::Cancel)
        return false;
    if (answer == MsgResult::Yes) {
        QString path = fileName_;
        if (!HasOwnFile()) {
            path = BMContour::ShowSaveDialog(dialogs_, fileName_, DialogFolder());
            if (path.isEmpty())
                return false;
            lastFolder_ = QFileInfo(path).absolutePath();
        }
        // A save that failed (its message has been shown) keeps the document, so the changes
        // are not lost with it.
        if (!SaveDataFile(path))
            return false;
    }
    return true;
}

void Contour::FormMain_QueryUnload(bool& Cancel, int) {
    if (!SaveChangesFirst()) {
        Cancel = true;
        return;
    }
    ClearDiagramObjects();
    Positions.SaveWindowPosML2(FormCont, QStringLiteral("Contour"));
    Positions.SaveWindowPosML2(FormPlot, QStringLiteral("Plot"));
    Positions.SaveWindowPosML2(FormRank, QStringLiteral("Rank"));
    Positions.SaveWindowPosML2(FormRose, QStringLiteral("Rose"));
    Positions.SaveWindowPosML2(FormRSet, QStringLiteral("RankSet"));
    if (FormStat)
        Positions.SaveWindowPosML2(FormStat, QStringLiteral("Statistics"));
    UnloadChildWindows();
}

void Contour::UnloadChildWindows() {
    UnloadForm(FormCont);
    UnloadForm(FormPlot);
    UnloadForm(FormRank);
    UnloadForm(FormRose);
    UnloadForm(FormRSet);
    UnloadForm(FormStat);
}

void Contour::Terminate() {
    DiagramSettings::WriteGridVisible(gridVisible_);
}
