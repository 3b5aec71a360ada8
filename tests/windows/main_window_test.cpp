// The frame's menus, toolbar, status bar, child-window commands, help, version and closing.
#include "main_window_fixture.h"

#include "core/bmmain.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <set>

namespace {

const QString kTitle = QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ");

struct Item {
    int index;
    const char* caption;
    QKeySequence shortcut;
};

// The whole menu tree below the top menus, in menu order.
const std::vector<std::pair<int, std::vector<Item>>>& Tree() {
    static const std::vector<std::pair<int, std::vector<Item>>> tree = {
        {1,
         {{1, "新規作成(&N)", QKeySequence("Ctrl+N")},
          {2, "開く(&O)...", QKeySequence("Ctrl+O")},
          {20, "-", {}},
          {22, "上書き保存(&S)", QKeySequence("Ctrl+S")},
          {23, "名前を付けて保存(&A)...", {}},
          {30, "-", {}},
          {31, "ﾃﾞｰﾀ印刷(&D)...", {}},
          {32, "印刷(&P)...", QKeySequence("Ctrl+P")},
          {33, "ﾌﾟﾘﾝﾀの設定(&U)...", {}},
          {1000, "-", {}},
          {1001, "終了(&X)", QKeySequence("Ctrl+Q")},
          {1010, "-", {}},
          {1011, "ﾃﾞｰﾀ取り込み(&I)...", {}},
          {1012, "ﾃﾞｰﾀ書き出し(&E)...", {}}}},
        {2,
         {{101, "再描画(&U)", QKeySequence("F5")},
          {102, "ｺﾋﾟｰ(&C)", {}},
          {103, "最新の情報に更新(&R)", QKeySequence("Ctrl+F5")},
          {110, "-", {}},
          {111, "ｺﾝﾀｰの追加(&A)", {}},
          {112, "極大点の追加(&P)", {}},
          {113, "極大点の削除(&D)...", {}},
          {120, "-", {}},
          {121, "極大点の自動配置(&M)", {}},
          {122, "統計(&T)...", {}}}},
        {3,
         {{201, "ｸﾞﾘｯﾄﾞの表示(&G)", {}},
          {205, "ﾗﾝｸ図にｺﾝﾀｰを表示する(&C)", {}},
          {210, "-", {}},
          {211, "解像度の変更(&S)...", {}},
          {212, "角幅の変更(&D)...", {}},
          {220, "-", {}},
          {221, "投影図の表示(&P)", {}},
          {225, "投影図にｶﾞｰﾄﾞﾙと平均極を表示する(&A)", {}}}},
        {4,
         {{301, "閾値の変更(&E)...", {}},
          {310, "-", {}},
          {311, "削除(&D)...", {}},
          {320, "-", {}},
          {321, "色の変更(&C)...", {}},
          {322, "ﾊﾟﾀｰﾝ", {}}}},
        {6, {{501, "極大点の削除...", {}}}},
        {9,
         {{801, "縦に並べる(&V)", {}},
          {802, "横に並べる(&H)", {}},
          {803, "重ねて表示(&C)", {}},
          {804, "ｱｲｺﾝの整列(&I)", {}}}},
        {10, {{901, "ﾍﾙﾌﾟ(&H)...", {}}, {902, "ﾊﾞｰｼﾞｮﾝ情報(&V)...", {}}}},
    };
    return tree;
}

const std::vector<std::pair<int, const char*>> kGridItems = {
    {202, "ｼｭﾐｯﾄﾈｯﾄ投影図"}, {203, "頻度分布図（段彩）"}, {204, "頻度分布図（ｺﾝﾀｰ）"}};
const std::vector<std::pair<int, const char*>> kPlotItems = {
    {222, "極"}, {223, "大円"}, {224, "極と大円"}};
const std::vector<std::pair<int, const char*>> kPatternItems = {
    {400, "塗りつぶし"},     {401, "境界線のみ"},     {402, "横線"}, {403, "縦線"},
    {404, "斜線（右下り）"}, {405, "斜線（右上り）"}, {406, "ｸﾛｽ"},  {407, "網かけ"}};

// Every item that sends its number (not separators, sub-menu titles or the frame's own).
std::vector<int> CommandItems() {
    std::vector<int> items;
    for (const auto& [top, list] : Tree())
        for (const Item& i : list)
            if (QString::fromUtf8(i.caption) != "-" && i.index != 201 && i.index != 221 &&
                i.index != 322 && !(i.index >= 801 && i.index <= 804) && i.index != 901 &&
                i.index != 902)
                items.push_back(i.index);
    for (const auto& [index, caption] : kGridItems)
        items.push_back(index);
    for (const auto& [index, caption] : kPatternItems)
        items.push_back(index);
    for (const auto& [index, caption] : kPlotItems)
        items.push_back(index);
    return items;
}

void ExpectSubMenu(frmMain& window, int parent,
                   const std::vector<std::pair<int, const char*>>& items) {
    QMenu* sub = window.MenuItem(parent)->menu();
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(sub->actions().size(), static_cast<qsizetype>(items.size()));
    for (size_t k = 0; k < items.size(); ++k) {
        QAction* a = window.MenuItem(items[k].first);
        ASSERT_NE(a, nullptr) << items[k].first;
        EXPECT_EQ(sub->actions()[k], a);
        EXPECT_EQ(a->text(), QString::fromUtf8(items[k].second));
        EXPECT_TRUE(a->isCheckable());
        EXPECT_FALSE(a->isChecked());
    }
}

} // namespace

TEST_F(MainWindowTest, MenuTreeHasEveryCaptionShortcutAndNumber) {
    QStringList bar;
    for (QAction* a : window->menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, QStringList({"ﾌｧｲﾙ(&F)", "作図(&D)", "設定(&S)", "ﾗﾝｸ編集(&R)", "ｳｨﾝﾄﾞｳ(&W)",
                                "ﾍﾙﾌﾟ(&H)"}));
    EXPECT_EQ(window->TopMenu(6)->title(), "ﾎﾟｯﾌﾟｱｯﾌﾟ");
    EXPECT_EQ(window->TopMenu(5), nullptr);

    for (const auto& [top, items] : Tree()) {
        QMenu* menu = window->TopMenu(top);
        ASSERT_NE(menu, nullptr) << top;
        ASSERT_EQ(menu->actions().size(), static_cast<qsizetype>(items.size())) << top;
        for (size_t k = 0; k < items.size(); ++k) {
            const Item& item = items[k];
            QAction* a = window->MenuItem(item.index);
            ASSERT_NE(a, nullptr) << item.index;
            EXPECT_EQ(menu->actions()[k], a) << item.index;
            const QString caption = QString::fromUtf8(item.caption);
            EXPECT_EQ(a->isSeparator(), caption == "-") << item.index;
            if (!a->isSeparator()) {
                EXPECT_EQ(a->text(), caption) << item.index;
            }
            EXPECT_EQ(a->shortcut(), item.shortcut) << item.index;
            EXPECT_EQ(a->isEnabled(), item.index < 111 || item.index > 113) << item.index;
        }
    }
    ExpectSubMenu(*window, 201, kGridItems);
    ExpectSubMenu(*window, 322, kPatternItems);
    ExpectSubMenu(*window, 221, kPlotItems);
    EXPECT_TRUE(window->MenuItem(205)->isCheckable());
    EXPECT_TRUE(window->MenuItem(225)->isCheckable());
    EXPECT_EQ(window->MenuItem(7), nullptr);
}

TEST_F(MainWindowTest, MenuItemsSendTheirNumbersAndLeaveCheckMarksToTheController) {
    const std::vector<int> items = CommandItems();
    for (int index : items) {
        QAction* a = window->MenuItem(index);
        a->setEnabled(true);
        a->trigger();
        if (a->isCheckable()) {
            EXPECT_FALSE(a->isChecked()) << index;
        }
    }
    EXPECT_EQ(clicks, items);

    // A mark the controller set stays as it was when the item is clicked.
    clicks.clear();
    window->MenuItem(203)->setChecked(true);
    window->MenuItem(203)->trigger();
    EXPECT_TRUE(window->MenuItem(203)->isChecked());
    EXPECT_EQ(clicks, std::vector<int>{203});
}

TEST_F(MainWindowTest, NewAndOpenLeaveTheGridToTheController) {
    // The controller first asks whether the data are to be saved: the grid must still hold them.
    grid().SetTextMatrix(2, 1, "30");
    QString textSeen;
    QObject::connect(window.get(), &frmMain::MenuClick,
                     [&](int) { textSeen = grid().TextMatrix(2, 1); });
    for (int item : {1, 2}) {
        textSeen.clear();
        window->MenuItem(item)->trigger();
        EXPECT_EQ(textSeen, "30") << item;
    }
    EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
}

TEST_F(MainWindowTest, OpeningTheRankMenuAsksForItsCheckMarks) {
    QMenu* rank = window->TopMenu(4);
    rank->popup(QPoint(10, 10));
    rank->close();
    EXPECT_EQ(clicks, std::vector<int>{-4});

    // Disabling the menu greys its title in the menu bar.
    rank->setEnabled(false);
    EXPECT_FALSE(rank->menuAction()->isEnabled());
}

TEST_F(MainWindowTest, PopUpMenusRunTheChosenItemBeforeReturning) {
    window->show();
    QWidget* shown = nullptr;
    QTimer::singleShot(0, [&] {
        shown = QApplication::activePopupWidget();
        window->MenuItem(501)->trigger();
        if (shown)
            shown->close();
    });
    window->PopupMenu(6);
    EXPECT_EQ(shown, window->TopMenu(6));
    EXPECT_EQ(clicks, std::vector<int>{501});

    clicks.clear();
    QTimer::singleShot(0, [&] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    window->PopupMenu(4);
    EXPECT_EQ(clicks, std::vector<int>{-4});
    window->PopupMenu(5);
    EXPECT_EQ(clicks, std::vector<int>{-4});
}

TEST_F(MainWindowTest, ToolbarButtonsSendTheirTags) {
    const std::vector<std::tuple<QString, int, QString>> buttons = {
        {"new", 1, "新規作成"},       {"open", 2, "ﾌｧｲﾙを開く"},      {"save", 22, "保存"},
        {"print", 32, "印刷"},        {"contour", 111, "ｺﾝﾀｰの追加"}, {"pole", 112, "極大点の追加"},
        {"mesh", 211, "解像度の変更"}};
    auto* bar = window->findChild<QToolBar*>("toolNet");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 7);
    std::vector<int> expected;
    for (size_t k = 0; k < buttons.size(); ++k) {
        const auto& [key, tag, tip] = buttons[k];
        QAction* b = window->ToolButton(key);
        ASSERT_NE(b, nullptr) << key.toStdString();
        EXPECT_EQ(bar->actions()[k], b);
        EXPECT_EQ(b->toolTip(), tip);
        EXPECT_FALSE(b->icon().isNull());
        EXPECT_EQ(b->isEnabled(), key != "contour" && key != "pole");
        b->setEnabled(true);
        b->trigger();
        expected.push_back(tag);
    }
    EXPECT_EQ(clicks, expected);
    EXPECT_EQ(window->ToolButton("flag"), nullptr);
}

TEST_F(MainWindowTest, ToolbarTagsOutsideTheFileAndDrawRangesAreIgnored) {
    grid().SetTextMatrix(2, 1, "30");
    for (int tag : {0, -4, 33, 100, 110, 212, 301, 501, 801, 901, 902, 1001})
        window->toolNet_ButtonClick(tag);
    EXPECT_TRUE(clicks.empty());
    for (int tag : {5, 31, 150, 211})
        window->toolNet_ButtonClick(tag);
    EXPECT_EQ(clicks, (std::vector<int>{5, 31, 150, 211}));
    EXPECT_EQ(grid().TextMatrix(2, 1), "30");

    // Tag 1 is the file menu's new document; the controller asks about the data and resets the
    // grid.
    window->toolNet_ButtonClick(1);
    EXPECT_EQ(clicks.back(), 1);
    EXPECT_EQ(grid().TextMatrix(2, 1), "30");
}

TEST_F(MainWindowTest, ShortcutsReachTheControllerFromTheGrid) {
    window->setWindowState(Qt::WindowNoState);
    window->resize(900, 600);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    grid().setFocus();
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);

    QTest::keyClick(target, Qt::Key_F5);
    QTest::keyClick(target, Qt::Key_F5, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(clicks, (std::vector<int>{101, 103, 22, 2, 32, 1, 1001}));
}

TEST_F(MainWindowTest, StatusBarHasThreePanels) {
    for (int p = 1; p <= 3; ++p)
        window->SetPanelText(p, QStringLiteral("panel %1").arg(p));
    window->SetPanelText(4, "lost");
    EXPECT_EQ(window->PanelText(1), "panel 1");
    EXPECT_EQ(window->PanelText(2), "panel 2");
    EXPECT_EQ(window->PanelText(3), "panel 3");
    EXPECT_EQ(window->PanelText(0), "");
    EXPECT_EQ(window->statusBar()->findChildren<QLabel*>().size(), 3);
}

TEST_F(MainWindowTest, LoadsMaximisedOverThreeQuartersOfTheScreen) {
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(window->geometry().size(), QSize(screen.width() * 3 / 4, screen.height() * 3 / 4));
    EXPECT_EQ(window->Change(), false);
    EXPECT_EQ(window->windowTitle(), kTitle);
}

TEST_F(MainWindowTest, CloseAsksTheControllerAndMayBeCancelled) {
    window->show();
    std::vector<std::pair<QString, int>> events;
    bool refuse = true;
    QObject::connect(window.get(), &frmMain::QueryUnload, [&](bool& cancel, int mode) {
        events.emplace_back("QueryUnload", mode);
        cancel = refuse;
    });
    QObject::connect(window.get(), &frmMain::Unload,
                     [&](bool&) { events.emplace_back("Unload", 0); });

    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->CloseByCode());
    EXPECT_TRUE(window->isVisible());

    refuse = false;
    EXPECT_TRUE(window->CloseByCode());
    EXPECT_FALSE(window->isVisible());
    const std::vector<std::pair<QString, int>> expected = {
        {"QueryUnload", 0}, {"QueryUnload", 1}, {"QueryUnload", 1}, {"Unload", 0}};
    EXPECT_EQ(events, expected);
}

TEST_F(MainWindowTest, HelpOpensThePageBesideTheProgramOrSaysWhereItWasLookedFor) {
    const QString saved = BMMain::AppPath;
    QTemporaryDir dir;
    BMMain::SetAppPath(dir.path());
    const QString page = dir.path() + "/help_st.htm";

    dialogs.expectMessage("ﾍﾙﾌﾟﾌｧｲﾙが見つかりません。\r\n\r\n" + page, MsgButtons::OK,
                          MsgIcon::Exclamation, kTitle);
    window->MenuItem(901)->trigger();
    EXPECT_TRUE(dialogs.allAnswered());

    QFile f(page);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html></html>");
    f.close();
    dialogs.expectOpenExternal(page);
    window->MenuItem(901)->trigger();
    EXPECT_TRUE(dialogs.allAnswered());
    // No program could show it.
    dialogs.expectOpenExternal(page, false)
        .expectMessage("ﾍﾙﾌﾟﾌｧｲﾙを表示できません。\r\nHTMLﾌｧｲﾙを表示するﾌﾟﾛｸﾞﾗﾑを確認してください。"
                       "\r\n\r\n" +
                           page,
                       MsgButtons::OK, MsgIcon::Exclamation, kTitle);
    window->MenuItem(901)->trigger();
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_TRUE(clicks.empty());
    BMMain::AppPath = saved;
}

TEST_F(MainWindowTest, VersionCommandShowsTheVersionWindowModally) {
    QString shown;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown = modal->objectName();
            modal->close();
        }
    });
    window->MenuItem(902)->trigger();
    EXPECT_EQ(shown, "frmVersion");
    EXPECT_TRUE(clicks.empty());
}

class ArrangementTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        window->setWindowState(Qt::WindowNoState);
        window->resize(1000, 700);
        window->show();
        for (int i = 0; i < 3; ++i) {
            auto* child = new QWidget;
            child->setObjectName(QStringLiteral("child%1").arg(i));
            children.push_back(window->AddChild(child));
            children.back()->setGeometry(20 * i, 15 * i, 200, 150);
            children.back()->show();
        }
        area = window->mdiArea().viewport()->rect();
    }

    std::vector<QRect> geometries() const {
        std::vector<QRect> g;
        for (QMdiSubWindow* w : children)
            g.push_back(w->geometry());
        return g;
    }
    // Geometries from the top-left window onwards.
    std::vector<QRect> sorted() const {
        std::vector<QRect> g = geometries();
        std::sort(g.begin(), g.end(), [](const QRect& a, const QRect& b) {
            return std::pair(a.top(), a.left()) < std::pair(b.top(), b.left());
        });
        return g;
    }

    std::vector<QMdiSubWindow*> children;
    QRect area;
};

TEST_F(ArrangementTest, FourDistinctArrangements) {
    std::set<std::vector<int>> seen;
    auto signature = [&] {
        std::vector<int> s;
        for (const QRect& r : geometries())
            s.insert(s.end(), {r.x(), r.y(), r.width(), r.height()});
        return s;
    };

    window->MenuItem(801)->trigger();
    int bottom = area.top();
    for (const QRect& r : sorted()) {
        EXPECT_EQ(r.left(), area.left());
        EXPECT_EQ(r.width(), area.width());
        EXPECT_EQ(r.top(), bottom);
        bottom = r.bottom() + 1;
    }
    EXPECT_EQ(bottom, area.bottom() + 1);
    seen.insert(signature());

    window->MenuItem(802)->trigger();
    int right = area.left();
    std::vector<QRect> sideBySide = geometries();
    std::sort(sideBySide.begin(), sideBySide.end(),
              [](const QRect& a, const QRect& b) { return a.left() < b.left(); });
    for (const QRect& r : sideBySide) {
        EXPECT_EQ(r.top(), area.top());
        EXPECT_EQ(r.height(), area.height());
        EXPECT_EQ(r.left(), right);
        right = r.right() + 1;
    }
    EXPECT_EQ(right, area.right() + 1);
    seen.insert(signature());

    window->MenuItem(803)->trigger();
    const std::vector<QRect> cascade = sorted();
    for (size_t k = 1; k < cascade.size(); ++k) {
        EXPECT_GT(cascade[k].left(), cascade[k - 1].left());
        EXPECT_GT(cascade[k].top(), cascade[k - 1].top());
    }
    seen.insert(signature());

    // Minimised windows line up along the bottom; the third tiles over the rest.
    children[0]->showMinimized();
    children[1]->showMinimized();
    children[0]->move(300, 10);
    children[1]->move(20, 200);
    window->MenuItem(804)->trigger();
    const QRect a = children[0]->geometry(), b = children[1]->geometry();
    EXPECT_EQ(a.left(), area.left());
    EXPECT_EQ(a.bottom(), area.bottom());
    EXPECT_EQ(b.left(), a.right() + 1);
    EXPECT_EQ(b.bottom(), area.bottom());
    seen.insert(signature());
    EXPECT_EQ(seen.size(), 4u);

    window->MenuItem(801)->trigger();
    const QRect c = children[2]->geometry();
    EXPECT_EQ(c.top(), area.top());
    EXPECT_EQ(c.bottom(), a.top() - 1);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(ArrangementTest, ActiveChildIsTheWidgetOfTheCurrentWindow) {
    window->mdiArea().setActiveSubWindow(children[1]);
    EXPECT_EQ(window->ActiveChild(), children[1]->widget());
    EXPECT_EQ(window->ActiveChild()->objectName(), "child1");
}
