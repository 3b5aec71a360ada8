#include "windows/frm_main.h"

#include "core/bmmain.h"
#include "core/data_cells.h"
#include "core/dialogs.h"
#include "core/help_file.h"
#include "platform/desktop.h"
#include "tabula.h"
#include "windows/artwork.h"
#include "windows/bmcontour.h"
#include "windows/frame_body.h"
#include "windows/frm_version.h"
#include "windows/mdi_arrange.h"
#include "windows/toolbar_icons.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <vector>

namespace {

const QString kProgramTitle = QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ");

constexpr int kFirstDataCol = DataCells::StrikeAngle;
constexpr int kLastDataCol = DataCells::DipDirection;
constexpr int kRowsAddedAtEnd = 10;

// One entry of the menu tree: an item with its command number, a separator, or a sub-menu
// whose items follow until the next EndSubMenu entry.
struct MenuEntry {
    int index;
    const char* caption;
    QKeySequence shortcut;
    enum Kind { Item, Separator, Checkable, SubMenu, EndSubMenu } kind = Item;
};

struct TopMenuEntry {
    int number;
    const char* caption;
    const char* objectName;
    std::vector<MenuEntry> items;
};

const std::vector<TopMenuEntry>& MenuTree() {
    using E = MenuEntry;
    static const std::vector<TopMenuEntry> tree = {
        {1,
         "ﾌｧｲﾙ(&F)",
         "mnuFile",
         {
             {1, "新規作成(&N)", QKeySequence(Qt::CTRL | Qt::Key_N)},
             {2, "開く(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O)},
             {20, "-", {}, E::Separator},
             {22, "上書き保存(&S)", QKeySequence(Qt::CTRL | Qt::Key_S)},
             {23, "名前を付けて保存(&A)...", {}},
             {30, "-", {}, E::Separator},
             {31, "ﾃﾞｰﾀ印刷(&D)...", {}},
             {32, "印刷(&P)...", QKeySequence(Qt::CTRL | Qt::Key_P)},
             {33, "ﾌﾟﾘﾝﾀの設定(&U)...", {}},
             {1000, "-", {}, E::Separator},
             {1001, "終了(&X)", QKeySequence(Qt::CTRL | Qt::Key_Q)},
             // Measurements from and for other programs, after the items the menu always had.
             {1010, "-", {}, E::Separator},
             {1011, "ﾃﾞｰﾀ取り込み(&I)...", {}},
             {1012, "ﾃﾞｰﾀ書き出し(&E)...", {}},
         }},
        {2,
         "作図(&D)",
         "mnuDraw",
         {
             {101, "再描画(&U)", QKeySequence(Qt::Key_F5)},
             {102, "ｺﾋﾟｰ(&C)", {}},
             {103, "最新の情報に更新(&R)", QKeySequence(Qt::CTRL | Qt::Key_F5)},
             {110, "-", {}, E::Separator},
             {111, "ｺﾝﾀｰの追加(&A)", {}},
             {112, "極大点の追加(&P)", {}},
             {113, "極大点の削除(&D)...", {}},
             {120, "-", {}, E::Separator},
             {121, "極大点の自動配置(&M)", {}},
             {122, "統計(&T)...", {}},
         }},
        {3,
         "設定(&S)",
         "mnuSetting",
         {
             {201, "ｸﾞﾘｯﾄﾞの表示(&G)", {}, E::SubMenu},
             {202, "ｼｭﾐｯﾄﾈｯﾄ投影図", {}, E::Checkable},
             {203, "頻度分布図（段彩）", {}, E::Checkable},
             {204, "頻度分布図（ｺﾝﾀｰ）", {}, E::Checkable},
             {0, "", {}, E::EndSubMenu},
             {205, "ﾗﾝｸ図にｺﾝﾀｰを表示する(&C)", {}, E::Checkable},
             {210, "-", {}, E::Separator},
             {211, "解像度の変更(&S)...", {}},
             {212, "角幅の変更(&D)...", {}},
             {220, "-", {}, E::Separator},
             {221, "投影図の表示(&P)", {}, E::SubMenu},
             {222, "極", {}, E::Checkable},
             {223, "大円", {}, E::Checkable},
             {224, "極と大円", {}, E::Checkable},
             {0, "", {}, E::EndSubMenu},
             {225, "投影図にｶﾞｰﾄﾞﾙと平均極を表示する(&A)", {}, E::Checkable},
         }},
        {4,
         "ﾗﾝｸ編集(&R)",
         "mnuRank",
         {
             {301, "閾値の変更(&E)...", {}},
             {310, "-", {}, E::Separator},
             {311, "削除(&D)...", {}},
             {320, "-", {}, E::Separator},
             {321, "色の変更(&C)...", {}},
             {322, "ﾊﾟﾀｰﾝ", {}, E::SubMenu},
             {400, "塗りつぶし", {}, E::Checkable},
             {401, "境界線のみ", {}, E::Checkable},
             {402, "横線", {}, E::Checkable},
             {403, "縦線", {}, E::Checkable},
             {404, "斜線（右下り）", {}, E::Checkable},
             {405, "斜線（右上り）", {}, E::Checkable},
             {406, "ｸﾛｽ", {}, E::Checkable},
             {407, "網かけ", {}, E::Checkable},
             {0, "", {}, E::EndSubMenu},
         }},
        {6, "ﾎﾟｯﾌﾟｱｯﾌﾟ", "mnuPopup", {{501, "極大点の削除...", {}}}},
        {9,
         "ｳｨﾝﾄﾞｳ(&W)",
         "mnuWindow",
         {
             {801, "縦に並べる(&V)", {}},
             {802, "横に並べる(&H)", {}},
             {803, "重ねて表示(&C)", {}},
             {804, "ｱｲｺﾝの整列(&I)", {}},
         }},
        {10,
         "ﾍﾙﾌﾟ(&H)",
         "mnuHelp",
         {
             {901, "ﾍﾙﾌﾟ(&H)...", {}},
             {902, "ﾊﾞｰｼﾞｮﾝ情報(&V)...", {}},
         }},
    };
    return tree;
}

constexpr int kPopupMenuNumber = 6;

struct ToolEntry {
    const char* key;
    int tag;
    const char* toolTip;
    const char* image;
};

constexpr ToolEntry kToolbar[] = {
    {"new", 1, "新規作成", "new"},
    {"open", 2, "ﾌｧｲﾙを開く", "open"},
    {"save", 22, "保存", "save"},
    {"print", 32, "印刷", "print"},
    {"contour", 111, "ｺﾝﾀｰの追加", "contour"},
    {"pole", 112, "極大点の追加", "flag"},
    // Runs the scan-count command its tooltip names.
    {"mesh", 211, "解像度の変更", "mesh"},
};

MsgIcon ToMsgIcon(TabulaIcon icon) {
    switch (icon) {
    case TabulaIcon::Information:
        return MsgIcon::Information;
    case TabulaIcon::Question:
        return MsgIcon::Question;
    case TabulaIcon::Exclamation:
        break;
    }
    return MsgIcon::Exclamation;
}

MsgButtons ToMsgButtons(TabulaButtons buttons) {
    switch (buttons) {
    case TabulaButtons::YesNo:
        return MsgButtons::YesNo;
    case TabulaButtons::YesNoCancel:
        return MsgButtons::YesNoCancel;
    case TabulaButtons::OK:
        break;
    }
    return MsgButtons::OK;
}

TabulaAnswer ToTabulaAnswer(MsgResult result) {
    switch (result) {
    case MsgResult::Yes:
        return TabulaAnswer::Yes;
    case MsgResult::No:
        return TabulaAnswer::No;
    case MsgResult::Cancel:
        return TabulaAnswer::Cancel;
    default:
        return TabulaAnswer::OK;
    }
}

} // namespace

struct frmMain::Private {
    FrameBody* body = nullptr;
    QMap<int, QAction*> items;
    QMap<int, QMenu*> topMenus;
    QMap<QString, QAction*> tools;
    QLabel* panels[3] = {};
    int unloadMode = 0;
};

frmMain::frmMain(Dialogs& dialogs, const FileAssociation& association, QWidget* parent)
    : QMainWindow(parent), d_(new Private), dialogs_(dialogs), association_(association) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kProgramTitle);
    // The child windows show the frame's icon too.
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(Artwork::ProgramIcon(size));
    setWindowIcon(icon);

    d_->body = new FrameBody(this);
    setCentralWidget(d_->body);
    Tabula& grid = d_->body->grid();
    // The grid's own questions (row insertion, deletion, pasting) go through the same seam as
    // every other message of the program.
    grid.SetMessageHandler([this](const TabulaMessage& m) {
        return ToTabulaAnswer(
            dialogs_.message(m.text, ToMsgButtons(m.buttons), ToMsgIcon(m.icon), m.title));
    });
    connect(&grid, &Tabula::BeforeChange, this, &frmMain::grdData_BeforeChange);
    connect(&grid, &Tabula::BeforeBlockChange, this, &frmMain::grdData_BeforeBlockChange);
    connect(&grid, &Tabula::Change, this, &frmMain::grdData_Change);
    connect(&grid, &Tabula::RowColChange, this, &frmMain::grdData_RowColChange);
    // Pasted or dropped text and inserted or deleted rows raise no cell change, yet they change
    // the data as much as typing does: the exit must ask about them too.
    connect(&grid, &Tabula::AfterPaste, this, &frmMain::grdData_AfterPaste);
    connect(&grid, &Tabula::AfterInsertRow, this, [this] { change_ = true; });
    connect(&grid, &Tabula::AfterDeleteRow, this, [this] { change_ = true; });
    // Undoing back to what was last opened or saved leaves nothing to save.
    connect(&grid, &Tabula::AfterUndo, this, [this] { change_ = !grdData().IsAtUndoCleanPoint(); });
    // Row numbers past 999 need a wider "No." column, whoever added the rows.
    const auto fitNumbers = [this] { BMContour::FitNumberColumn(grdData()); };
    connect(&grid, &Tabula::PropertyChanged, this, [fitNumbers](const QString& name) {
        if (name == QLatin1String("Rows"))
            fitNumbers();
    });
    connect(&grid, &Tabula::AfterPaste, this, fitNumbers);
    connect(&grid, &Tabula::AfterInsertRow, this, fitNumbers);
    connect(&grid, &Tabula::AfterDeleteRow, this, fitNumbers);

    buildMenus();
    buildToolbar();
    buildStatusBar();

    // Restored size three quarters of the screen, then maximised.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        setGeometry(s.x() + s.width() / 8, s.y() + s.height() / 8, s.width() * 3 / 4,
                    s.height() * 3 / 4);
    }
    setWindowState(windowState() | Qt::WindowMaximized);

    BMContour::InitDataGrid(grid);
    // The empty grid is what an undo comes back to without anything to save.
    grid.SetUndoCleanPoint();
}

frmMain::~frmMain() {
    // The grid may still report an open edit while the children go; nobody is listening then.
    grdData().disconnect(this);
    delete d_;
}

QMenu* frmMain::createPopupMenu() {
    // The toolbar stays where it is: no menu for hiding it.
    return nullptr;
}

Tabula& frmMain::grdData() const {
    return d_->body->grid();
}

QMdiArea& frmMain::mdiArea() const {
    return d_->body->mdiArea();
}

QMdiSubWindow* frmMain::AddChild(QWidget* child) {
    return mdiArea().addSubWindow(child);
}

QWidget* frmMain::ActiveChild() const {
    // The current child stays known while a dialog or a menu has the focus.
    QMdiSubWindow* sub = mdiArea().currentSubWindow();
    return sub ? sub->widget() : nullptr;
}

QAction* frmMain::MenuItem(int index) const {
    return d_->items.value(index, nullptr);
}

QMenu* frmMain::TopMenu(int number) const {
    return d_->topMenus.value(number, nullptr);
}

void frmMain::PopupMenu(int number) {
    if (QMenu* menu = TopMenu(number))
        menu->exec(QCursor::pos());
}

QAction* frmMain::ToolButton(const QString& key) const {
    return d_->tools.value(key, nullptr);
}

void frmMain::SetPanelText(int panel, const QString& text) {
    if (panel >= 1 && panel <= 3)
        d_->panels[panel - 1]->setText(text);
}

QString frmMain::PanelText(int panel) const {
    return panel >= 1 && panel <= 3 ? d_->panels[panel - 1]->text() : QString();
}

// ---- building ----------------------------------------------------------------------------

void frmMain::buildMenus() {
    for (const TopMenuEntry& top : MenuTree()) {
        auto* menu = new QMenu(QString::fromUtf8(top.caption), this);
        menu->setObjectName(QString::fromUtf8(top.objectName));
        d_->topMenus.insert(top.number, menu);
        // The pop-up menu is never in the menu bar.
        if (top.number != kPopupMenuNumber)
            menuBar()->addMenu(menu);
        QMenu* target = menu;
        for (const MenuEntry& e : top.items) {
            const QString caption = QString::fromUtf8(e.caption);
            QAction* action = nullptr;
            switch (e.kind) {
            case MenuEntry::Separator:
                // A separator's caption "-" is not drawn: some styles would show it.
                action = target->addSeparator();
                break;
            case MenuEntry::SubMenu: {
                QMenu* sub = target->addMenu(caption);
                action = sub->menuAction();
                target = sub;
                break;
            }
            case MenuEntry::EndSubMenu:
                target = menu;
                continue;
            case MenuEntry::Item:
            case MenuEntry::Checkable: {
                action = target->addAction(caption);
                action->setShortcut(e.shortcut);
                const int index = e.index;
                if (e.kind == MenuEntry::Checkable) {
                    action->setCheckable(true);
                    // Check marks belong to the controller: undo the automatic toggle.
                    connect(action, &QAction::triggered, this, [this, action, index](bool on) {
                        action->setChecked(!on);
                        menuItemClick(index);
                    });
                } else {
                    connect(action, &QAction::triggered, this,
                            [this, index] { menuItemClick(index); });
                }
                break;
            }
            }
            action->setObjectName(QStringLiteral("mnuItem_%1").arg(e.index));
            d_->items.insert(e.index, action);
        }
    }
    // The maximum-point commands follow the active diagram window; nothing is active yet.
    for (int index : {111, 112, 113})
        d_->items.value(index)->setEnabled(false);
    // Opening the rank menu lets the controller set the pattern check marks first.
    connect(TopMenu(4), &QMenu::aboutToShow, this, [this] { Q_EMIT MenuClick(-4); });
}

void frmMain::buildToolbar() {
    auto* bar = new QToolBar(QStringLiteral("toolNet"), this);
    bar->setObjectName(QStringLiteral("toolNet"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(20, 20));
    bar->toggleViewAction()->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, bar);
    for (const ToolEntry& t : kToolbar) {
        const QString key = QString::fromUtf8(t.key);
        QAction* button = bar->addAction(ToolbarIcons::Icon(QString::fromUtf8(t.image)),
                                         QString::fromUtf8(t.toolTip));
        button->setObjectName(QStringLiteral("tool_") + key);
        button->setToolTip(QString::fromUtf8(t.toolTip));
        button->setData(t.tag);
        connect(button, &QAction::triggered, this,
                [this, button] { toolNet_ButtonClick(button->data().toInt()); });
        d_->tools.insert(key, button);
    }
    // The buttons of commands 111 and 112 start as their menu items do.
    d_->tools.value(QStringLiteral("contour"))->setEnabled(false);
    d_->tools.value(QStringLiteral("pole"))->setEnabled(false);
}

void frmMain::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbarQNet"));
    const int widths[3] = {180, 180, 0};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("sbarQNet_panel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(widths[i]);
        panel->setContentsMargins(4, 0, 4, 0);
        bar->addWidget(panel, i == 2 ? 1 : 0);
        d_->panels[i] = panel;
    }
}

// ---- commands ----------------------------------------------------------------------------

void frmMain::menuItemClick(int index) {
    if (index >= 801 && index <= 804) {
        arrange(index);
        return;
    }
    if (index == 901) {
        showHelp();
        return;
    }
    if (index == 902) {
        showVersion();
        return;
    }
    // A new document's empty grid is the controller's to set up: it first asks whether the
    // changed one is to be saved.
    Q_EMIT MenuClick(index);
}

void frmMain::toolNet_ButtonClick(int Tag) {
    if ((Tag >= 1 && Tag <= 32) || (Tag >= 111 && Tag <= 211))
        menuItemClick(Tag);
}

void frmMain::arrange(int index) {
    Hourglass hourglass;
    QMdiArea& area = mdiArea();
    switch (index) {
    case 801:
        MdiArrange::StackVertically(area);
        break;
    case 802:
        MdiArrange::StackHorizontally(area);
        break;
    case 803:
        area.cascadeSubWindows();
        break;
    case 804:
        MdiArrange::ArrangeIcons(area);
        break;
    default:
        break;
    }
}

void frmMain::showHelp() {
    const QString path = HelpFile::Path(BMMain::AppPath);
    if (QFileInfo(path).isFile()) {
        if (!dialogs_.openExternal(path))
            dialogs_.message(
                QStringLiteral("ﾍﾙﾌﾟﾌｧｲﾙを表示できません。\r\n"
                               "HTMLﾌｧｲﾙを表示するﾌﾟﾛｸﾞﾗﾑを確認してください。\r\n\r\n") +
                    path,
                MsgButtons::OK, MsgIcon::Exclamation, kProgramTitle);
    } else {
        dialogs_.message(QStringLiteral("ﾍﾙﾌﾟﾌｧｲﾙが見つかりません。\r\n\r\n") + path,
                         MsgButtons::OK, MsgIcon::Exclamation, kProgramTitle);
    }
}

void frmMain::showVersion() {
    frmVersion window(dialogs_, association_, this);
    window.exec();
}

// ---- the data grid -----------------------------------------------------------------------

void frmMain::grdData_BeforeChange(bool& Cancel, int Row, int Col) {
    if (refuseCell(DataCells::EntryRefusal(Col, grdData().TextMatrix(Row, Col))))
        Cancel = true;
}

// A pasted or filled block is stored whole or not at all: the first cell that typing would
// not store refuses it, with that cell's message.
void frmMain::grdData_BeforeBlockChange(bool& Cancel, const QList<TabulaCell>& Cells) {
    for (const TabulaCell& cell : Cells) {
        if (refuseCell(DataCells::Refusal(cell.Col, cell.Text))) {
            Cancel = true;
            return;
        }
    }
}

bool frmMain::refuseCell(const QString& refusal) {
    if (refusal.isEmpty())
        return false;
    dialogs_.message(refusal, MsgButtons::OK, MsgIcon::Exclamation, kProgramTitle);
    // The frame takes the keyboard back from the closed message box: a desktop without a
    // window manager gives it to no window at all.
    activateWindow();
    grdData().setFocus(Qt::OtherFocusReason);
    return true;
}

void frmMain::setChange(bool value) {
    change_ = value;
    // Switching redrawing on takes the current cell's text as the reference for changes.
    Tabula& grid = grdData();
    if (!value)
        grid.SetUndoCleanPoint();
    if (!value && grid.Redraw())
        grid.SetRedraw(true);
}

void frmMain::grdData_Change(int Row, int Col) {
    change_ = true;
    normaliseCell(Row, Col);
    Tabula& grid = grdData();
    if (Row == grid.Rows() - 1) {
        grid.SetRedraw(false);
        grid.SetRows(grid.Rows() + kRowsAddedAtEnd);
        grid.SetRedraw(true);
    }
}

// Pasted cells are stored as typed ones would be; the block may reach past the grid.
void frmMain::grdData_AfterPaste(int Row1, int Col1, int Row2, int Col2) {
    change_ = true;
    Tabula& grid = grdData();
    const int lastRow = std::min(Row2, grid.Rows() - 1);
    const int lastCol = std::min({Col2, kLastDataCol, grid.Cols() - 1});
    for (int r = std::max(Row1, grid.FixedRows()); r <= lastRow; ++r)
        for (int c = std::max(Col1, kFirstDataCol); c <= lastCol; ++c)
            normaliseCell(r, c);
}

void frmMain::normaliseCell(int Row, int Col) {
    Tabula& grid = grdData();
    const QString text = grid.TextMatrix(Row, Col);
    const QString stored = DataCells::Stored(text);
    if (stored != text)
        grid.SetTextMatrix(Row, Col, stored);
}

void frmMain::grdData_RowColChange() {
    Tabula& grid = grdData();
    grid.SetNumeralOnly(DataCells::NumeralOnly(grid.Col()));
    grid.SetMaxLength(DataCells::MaxLength(grid.Col()));
}

// ---- closing -----------------------------------------------------------------------------

bool frmMain::CloseByCode() {
    d_->unloadMode = 1;
    const bool closed = close();
    d_->unloadMode = 0;
    return closed;
}

void frmMain::FinishCellEdit() {
    Tabula& grid = grdData();
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus != grid.focusProxy() && grid.isAncestorOf(focus))
        grid.setFocus(Qt::OtherFocusReason);
}

void frmMain::closeEvent(QCloseEvent* event) {
    // A cell still being typed into is finished first, so the exit knows about the typed value.
    FinishCellEdit();
    bool cancel = false;
    Q_EMIT QueryUnload(cancel, d_->unloadMode);
    if (!cancel)
        Q_EMIT Unload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}
