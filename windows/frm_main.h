// The frame window: menus, toolbar, status bar, the data pane with the data grid and its
// splitter, and the area that holds the diagram and legend windows. It does no document work:
// every command goes to the controller as a number through MenuClick.
#pragma once

#include <QMainWindow>

class Dialogs;
class FileAssociation;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class Tabula;
struct TabulaCell;

class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    frmMain(Dialogs& dialogs, const FileAssociation& association, QWidget* parent = nullptr);
    ~frmMain() override;

    // The data grid holding the measurements.
    Tabula& grdData() const;
    // The area that holds the child windows.
    QMdiArea& mdiArea() const;
    // Adds a child window (diagram or legend) and returns its frame.
    QMdiSubWindow* AddChild(QWidget* child);
    // The widget of the active child window, or nullptr.
    QWidget* ActiveChild() const;

    // The document's data-changed flag. Clearing it (after an open or a save) also makes what
    // the current cell shows the grid's reference, so leaving the cell reports no change, and
    // marks the grid's contents as saved: undoing back to them clears the flag again.
    bool Change() const { return change_; }
    void setChange(bool value);

    // The menu item with the given command number (1, 2, 22, ..., 501, 801, 901), or nullptr.
    QAction* MenuItem(int index) const;
    // Top menus by number: 1 "ﾌｧｲﾙ", 2 "作図", 3 "設定", 4 "ﾗﾝｸ編集", 6 "ﾎﾟｯﾌﾟｱｯﾌﾟ" (hidden),
    // 9 "ｳｨﾝﾄﾞｳ", 10 "ﾍﾙﾌﾟ" (one more than the hundreds of their items' numbers); or nullptr.
    QMenu* TopMenu(int number) const;
    // Shows top menu `number` as a pop-up at the mouse pointer (2, 4 and 6 are used); returns
    // when the menu has closed, after the chosen item's command ran.
    void PopupMenu(int number);
    // Toolbar buttons by key: "new", "open", "save", "print", "contour", "pole", "mesh".
    QAction* ToolButton(const QString& key) const;
    // Finishes a cell still being typed into, as leaving it would: its check and change run.
    void FinishCellEdit();
    // Status bar panels 1..3.
    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;

    // A toolbar button with this tag was clicked: 1-32 act as the file menu item, 111-211 as
    // the draw menu item of that number; other tags do nothing.
    void toolNet_ButtonClick(int Tag);
    // Closes the window as program code does (UnloadMode 1); false when the close was cancelled.
    bool CloseByCode();

  Q_SIGNALS:
    void MenuClick(int Index);
    void QueryUnload(bool& Cancel, int UnloadMode);
    void Unload(bool& Cancel);

  protected:
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override;

  private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void menuItemClick(int index);
    void arrange(int index);
    void showHelp();
    void showVersion();
    void grdData_BeforeChange(bool& Cancel, int Row, int Col);
    void grdData_BeforeBlockChange(bool& Cancel, const QList<TabulaCell>& Cells);
    // Shows why a cell's text is refused and gives the grid the keyboard; false when the
    // refusal is empty.
    bool refuseCell(const QString& refusal);
    void grdData_Change(int Row, int Col);
    void grdData_AfterPaste(int Row1, int Col1, int Row2, int Col2);
    void normaliseCell(int Row, int Col);
    void grdData_RowColChange();

    struct Private;
    Private* d_;
    bool change_ = false;
    Dialogs& dialogs_;
    const FileAssociation& association_;
};
