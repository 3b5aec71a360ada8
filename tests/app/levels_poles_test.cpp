// Contour levels and maximum points through the controller's commands, with scripted dialogs.
#include "app/contour.h"
#include "core/bmmain.h"
#include "core/bmpole.h"
#include "core/document_writer.h"
#include "core/file_association.h"
#include "core/vb.h"
#include "diagrams/picture_box.h"
#include "diagrams/printer_surface.h"
#include "scripted_dialogs.h"
#include "started_contour.h"
#include "tabula.h"
#include "test_files.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"
#include "windows/frm_pedit.h"
#include "windows/frm_rank_set.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kSelect = QStringLiteral("編集するｺﾝﾀｰを選択して下さい。");

class LevelsAndPoles : public StartedContour {
  protected:
    Contour& c() { return *contour; }
    const Grade& Level(int n) {
        const Grade* level = c().Levels().Item(QStringLiteral("Gr_%1").arg(n));
        EXPECT_NE(level, nullptr) << n;
        return *level;
    }
    std::vector<int> LevelNumbers() {
        std::vector<int> numbers;
        for (const Grade& g : c().Levels())
            numbers.push_back(g.Index());
        return numbers;
    }
    std::vector<int> PoleNumbers(const KeyedCollection<Pole>& poles) {
        std::vector<int> numbers;
        for (const Pole& p : poles)
            numbers.push_back(p.Index());
        return numbers;
    }
    bool LevelItemsEnabled() {
        return c().FormMain->MenuItem(301)->isEnabled() &&
               c().FormMain->MenuItem(311)->isEnabled() && c().FormMain->MenuItem(321)->isEnabled();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent e(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&c().FormRSet->picRSet(), &e);
    }
};

} // namespace

TEST_F(LevelsAndPoles, LevelCommandsWithoutALevelOrASelection) {
    Activate(c().FormRSet);
    // No level: the single-level commands do nothing at all.
    for (int command : {301, 311, 321, 400, 407})
        c().FormMain_MenuClick(command);
    EXPECT_FALSE(LevelItemsEnabled());

    c().FormMain_MenuClick(111);
    const Grade& first = Level(1);
    EXPECT_EQ(first.Value(), 0.0f);
    EXPECT_EQ(first.ForeColor(), 0x808080u);
    EXPECT_EQ(first.FillStyle(), 6);
    EXPECT_EQ(first.Label()->text(), "0.00");
    EXPECT_TRUE(LevelItemsEnabled());
    EXPECT_TRUE(c().Modified());

    // A level but no selection: each command warns under its own title.
    for (const char* title : {"ｺﾝﾀｰの設定", "ｺﾝﾀｰ色の変更", "ﾊﾟﾀｰﾝの変更", "ﾊﾟﾀｰﾝの変更"})
        dialogs.expectMessage(kSelect, MsgButtons::OK, MsgIcon::Exclamation, title);
    dialogs.expectMessage("削除するｺﾝﾀｰを選択して下さい。", MsgButtons::OK, MsgIcon::Exclamation,
                          "ｺﾝﾀｰの削除");
    for (int command : {301, 321, 405, -4, 311})
        c().FormMain_MenuClick(command);
    EXPECT_EQ(c().Levels().Count(), 1);
}

TEST_F(LevelsAndPoles, ThresholdColourPatternAndDeleteOnTheSelectedLevel) {
    Activate(c().FormRSet);
    c().FormMain_MenuClick(111);
    ASSERT_TRUE(c().SaveDataFile(dir.filePath("a.QST")));
    c().FormRSet->SelectLevel(1);
    const Grade& level = Level(1);

    const QString prompt =
        QStringLiteral("ｺﾝﾀｰの閾値を入力して下さい\r\n(小数点以下２桁まで入力可能)");
    struct Answer {
        std::optional<QString> typed;
        float stored;
    };
    // Full-width digits, hundredths, negatives, text, cancel and an empty answer. Without
    // counted data the limit is 100 %.
    const Answer answers[] = {{"　１．２５ ", 1.25f}, {"1.255", 1.26f},     {"-3", 0.0f},
                              {"7.5", 7.5f},          {std::nullopt, 7.5f}, {" ", 7.5f},
                              {"abc", 0.0f},          {"1e40", 100.0f}};
    QString shown = "0.00";
    for (const Answer& a : answers) {
        dialogs.expectInput(prompt, "ｺﾝﾀｰの設定", shown, a.typed);
        c().FormMain_MenuClick(301);
        EXPECT_FLOAT_EQ(level.Value(), a.stored) << a.typed.value_or("(cancel)").toStdString();
        shown = level.Label()->text();
    }
    EXPECT_EQ(shown, "100.00");
    EXPECT_TRUE(c().Modified());

    dialogs.expectColor(0x123456).expectColor(std::nullopt);
    c().FormMain_MenuClick(321);
    c().FormMain_MenuClick(321);
    EXPECT_EQ(level.ForeColor(), 0x123456u);
    EXPECT_EQ(dialogs.asked().back().initialColor, 0x123456u);

    c().FormMain_MenuClick(404);
    c().FormMain_MenuClick(-4);
    EXPECT_EQ(level.FillStyle(), 4);
    for (int item = 400; item <= 407; ++item)
        EXPECT_EQ(c().FormMain->MenuItem(item)->isChecked(), item == 404) << item;
    Q_EMIT c().FormRSet->Move(1, 2.5f);
    const QString question = QStringLiteral("ｺﾝﾀｰを削除してもよろしいですか？\r\n（閾値：2.5)");
    dialogs
        .expectMessage(question, MsgButtons::YesNo, MsgIcon::Exclamation, "ｺﾝﾀｰの削除",
                       MsgResult::No)
        .expectMessage(question, MsgButtons::YesNo, MsgIcon::Exclamation, "ｺﾝﾀｰの削除",
                       MsgResult::Yes);
    c().FormMain_MenuClick(311);
    EXPECT_EQ(c().Levels().Count(), 1);
    // The Delete key of the legend is the same command.
    Key(Qt::Key_Delete);
    EXPECT_TRUE(c().Levels().empty());
    EXPECT_EQ(c().FormRSet->LabelIndex(), 0);
    EXPECT_FALSE(LevelItemsEnabled());
    EXPECT_TRUE(c().Modified());
}

TEST_F(LevelsAndPoles, NewLevelsNumberOneAboveTheHighestLoaded) {
    for (int i = 0; i < 3; ++i)
        c().AddLevel(0);
    c().FormMain_MenuClick(103); // equal values are drawn once; all stay
    c().FormRSet->SelectLevel(3);
    dialogs.expectMessage("ｺﾝﾀｰを削除してもよろしいですか？\r\n（閾値：0)", MsgButtons::YesNo,
                          MsgIcon::Exclamation, "ｺﾝﾀｰの削除", MsgResult::Yes);
    c().FormMain_MenuClick(311);
    c().AddLevel(0);
    EXPECT_EQ(LevelNumbers(), (std::vector<int>{1, 2, 3}));
    c().FormRSet->SelectLevel(2);
    dialogs.expectMessage("ｺﾝﾀｰを削除してもよろしいですか？\r\n（閾値：0)", MsgButtons::YesNo,
                          MsgIcon::Exclamation, "ｺﾝﾀｰの削除", MsgResult::Yes);
    c().FormMain_MenuClick(311);
    // Number 2 is not reused: the new one is above 3, with the colour and pattern of 4.
    const Grade& added = c().AddLevel(0);
    EXPECT_EQ(LevelNumbers(), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(added.ForeColor(), 0xFFFF00u);
    EXPECT_EQ(added.FillStyle(), 3);
}

TEST_F(LevelsAndPoles, KeyboardWalkAndDraggingTheLabel) {
    c().FormRSet->resize(240, 400);
    // The legend in percent, 0 to 10 over the picture's height.
    c().FormRSet->picRSet().Surface().Scale(12, 12, -2, -2);
    for (float v : {2.0f, 5.0f, 1.0f})
        c().AddLevel(v);
    const int two = 1, five = 2, one = 3;
    auto walk = [&](int from, int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
        c().FormRSet->SelectLevel(from);
        Key(key, m);
        return c().FormRSet->LabelIndex();
    };
    EXPECT_EQ(walk(two, Qt::Key_Up), five);
    EXPECT_EQ(walk(two, Qt::Key_Down), one);
    EXPECT_EQ(walk(five, Qt::Key_Up), one);
    EXPECT_EQ(walk(one, Qt::Key_Down), five);
    EXPECT_EQ(walk(two, Qt::Key_Up, Qt::ShiftModifier), one);
    EXPECT_EQ(walk(two, Qt::Key_Home), five);
    EXPECT_EQ(walk(two, Qt::Key_End), one);
    // The walk selects as the user does: the new label is highlighted, the old one not.
    const QPalette desktop = c().FormRSet->picRSet().palette();
    EXPECT_EQ(Level(one).Label()->palette().color(QPalette::WindowText),
              desktop.color(QPalette::HighlightedText));
    EXPECT_EQ(Level(two).Label()->palette().color(QPalette::WindowText),
              desktop.color(QPalette::Text));

    // A drag lands on hundredths, and the label follows to the value it shows.
    Q_EMIT c().FormRSet->Move(two, 2.345f);
    EXPECT_FLOAT_EQ(Level(two).Value(), 2.35f);
    EXPECT_EQ(Level(two).Label()->text(), "2.35");
    Q_EMIT c().FormRSet->Move(two, 2.344f);
    EXPECT_EQ(Level(two).Label()->text(), "2.34");

    // Pressing on the label and moving the mouse down lowers the value.
    QLabel* label = Level(five).Label();
    const int topBefore = label->y();
    auto mouse = [&](QEvent::Type type, QPointF at, Qt::MouseButton button) {
        QMouseEvent e(type, at, label->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(label, &e);
    };
    mouse(QEvent::MouseButtonPress, QPointF(5, 4), Qt::LeftButton);
    mouse(QEvent::MouseMove, QPointF(5, 44), Qt::NoButton);
    mouse(QEvent::MouseButtonRelease, QPointF(5, 44), Qt::LeftButton);
    EXPECT_EQ(c().FormRSet->LabelIndex(), five);
    EXPECT_LT(Level(five).Value(), 5.0f);
    EXPECT_NEAR(label->y() - topBefore, 40, 1);
    EXPECT_EQ(Level(five).Label()->text(), vb::Format(Level(five).Value(), QStringLiteral("0.00")));
    Q_EMIT c().FormRSet->Move(five, -3); // not below 0 %
    EXPECT_EQ(Level(five).Value(), 0.0f);
}

TEST_F(LevelsAndPoles, MarkersOnTheActiveWindowAndTheirNumbers) {
    Activate(c().FormCont);
    for (int i = 0; i < 3; ++i)
        c().FormMain_MenuClick(112);
    Activate(c().FormPlot);
    c().FormMain_MenuClick(112);
    EXPECT_EQ(PoleNumbers(c().ContourPoleList()), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(PoleNumbers(c().PlotPoleList()), (std::vector<int>{1}));
    EXPECT_TRUE(c().Modified());

    // A new marker: at the centre, named so, its line to the label's top-left corner.
    frmMap* form = c().FormPlot;
    const QRectF label = form->ControlRect(form->lblPole(1));
    EXPECT_EQ(form->lblPole(1)->text(), "Ｎ０゜Ｅ０゜Ｎ");
    EXPECT_NEAR(label.left(), -100, 0.5);
    EXPECT_NEAR(label.top(), 100, 0.5);
    EXPECT_NEAR(form->ControlRect(form->imgPole(1)).center().x(), 0, 0.5);
    EXPECT_NEAR(form->linePole(1).p2().y(), label.top(), 0.5);
    EXPECT_TRUE(form->LinePoleVisible(1) && form->imgPole(1)->isVisible());

    // Deleting marker 2 from its pop-up: marker 3 keeps its number, in both windows alike.
    Activate(c().FormCont);
    c().FormCont->setPoleNo(2);
    c().FormMain_MenuClick(501);
    EXPECT_EQ(c().FormCont->PoleNo(), 0);
    EXPECT_EQ(PoleNumbers(c().ContourPoleList()), (std::vector<int>{1, 3}));
    Q_EMIT c().FormCont->MovePole(3, 0.5f, 0);
    Q_EMIT c().FormPlot->MovePole(1, 0, 0);
    EXPECT_EQ(c().FormCont->lblPole(3)->text(), "Ｎ０゜Ｗ４１゜Ｗ");
    EXPECT_EQ(c().FormPlot->lblPole(1)->text(), "Ｎ０゜Ｅ０゜Ｎ");
    // A new marker takes the highest number loaded plus one: 3 again after 3 went.
    c().FormMain_MenuClick(112);
    EXPECT_EQ(PoleNumbers(c().ContourPoleList()), (std::vector<int>{1, 3, 4}));
    c().FormCont->setPoleNo(4);
    c().FormMain_MenuClick(501);
    c().FormMain_MenuClick(112);
    EXPECT_EQ(PoleNumbers(c().ContourPoleList()), (std::vector<int>{1, 3, 4}));

    // The pop-up delete on no marker deletes nothing, yet counts as a change.
    ASSERT_TRUE(c().SaveDataFile(dir.filePath("m.QST")));
    c().FormMain_MenuClick(501);
    EXPECT_EQ(c().ContourPoleList().Count(), 3);
    EXPECT_TRUE(c().Modified());
}

TEST_F(LevelsAndPoles, ListDialogDeletesTheChosenMarkers) {
    Activate(c().FormCont);
    for (int i = 0; i < 4; ++i)
        c().FormMain_MenuClick(112);
    Q_EMIT c().FormCont->MovePole(2, 0.5f, 0);
    ASSERT_TRUE(c().SaveDataFile(dir.filePath("m.QST")));
    c().FormCont->setPoleNo(3);

    bool checked = false;
    QTimer::singleShot(0, [&] {
        frmPEdit* list = c().FormPE;
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->windowTitle(), "極大点の削除");
        EXPECT_EQ(list->lblPE().text(), "削除する極大点を選択してください。");
        EXPECT_EQ(list->cmdPE(0).text(), "削除(&D)");
        EXPECT_EQ(list->cmdPE(1).text(), "ｷｬﾝｾﾙ(&C)");
        EXPECT_TRUE(list->OnContour());
        QTreeWidget& rows = list->lvPole();
        EXPECT_TRUE(rows.isColumnHidden(0));
        EXPECT_EQ(rows.headerItem()->text(1), "極大点の位置");
        ASSERT_EQ(rows.topLevelItemCount(), 4);
        EXPECT_EQ(rows.topLevelItem(1)->text(1), "Ｎ０゜Ｗ４１゜Ｗ");
        EXPECT_EQ(rows.topLevelItem(3)->text(0), "4");
        EXPECT_EQ(rows.selectionMode(), QAbstractItemView::ExtendedSelection);
        rows.topLevelItem(0)->setSelected(true);
        rows.topLevelItem(2)->setSelected(true);
        list->cmdPE(0).click();
        checked = true;
    });
    c().FormMain_MenuClick(113);
    EXPECT_TRUE(checked);
    EXPECT_EQ(c().FormPE, nullptr);
    EXPECT_EQ(PoleNumbers(c().ContourPoleList()), (std::vector<int>{2, 4}));
    EXPECT_EQ(c().FormCont->lblPole(1), nullptr);
    EXPECT_EQ(c().FormCont->PoleNo(), 0);
    EXPECT_TRUE(c().Modified());

    // Cancel changes nothing.
    ASSERT_TRUE(c().SaveDataFile(dir.filePath("m.QST")));
    QTimer::singleShot(0, [&] {
        c().FormPE->lvPole().topLevelItem(0)->setSelected(true);
        c().FormPE->cmdPE(1).click();
    });
    c().FormMain_MenuClick(113);
    EXPECT_EQ(c().ContourPoleList().Count(), 2);
    EXPECT_FALSE(c().Modified());
}

TEST_F(LevelsAndPoles, LevelsAndMarkersSurviveASaveAndAnOpenToTheByte) {
    Document d;
    d.roseTitle = "r";
    d.contourTitle = "c";
    d.plotTitle = "p";
    // A stored 2.345 is read through the level's value: it comes back as 2.35.
    d.grades = {{2.345f, 0xFF, 2}, {5.0f, 0x00FF00, 7}, {0.5f, 0x123456, 1}};
    d.contourPoles = {{0.5f, -0.25f, 0.6f, -0.3f}, {-0.1f, 0.3f, -1.2f, 0.9f}};
    d.plotPoles = {{0.25f, 0.75f, 1.1f, 0.4f}};
    d.rows.assign(100, Document::Row{});
    d.rows[0] = {"30", "E", "45", "SE"};
    const QString first = dir.filePath("first.QST");
    ASSERT_TRUE(spit(first, DataFile::Write(d)));

    // As at start-up, the windows are disabled while the file is read.
    c().FormRSet->setEnabled(false);
    c().FormCont->setEnabled(false);
    ASSERT_TRUE(c().OpenDataFile(first));
    EXPECT_EQ(Level(1).Label()->text(), "2.35");
    // Made while the windows were disabled for the open, the labels still show plain text.
    const QColor text = c().FormRSet->palette().color(QPalette::Active, QPalette::Text);
    EXPECT_EQ(Level(1).Label()->palette().color(QPalette::WindowText), text);
    EXPECT_EQ(c().FormCont->lblPole(1)->palette().color(QPalette::WindowText), text);
    EXPECT_EQ(Level(3).FillStyle(), 1);
    EXPECT_EQ(c().FormCont->lblPole(1)->text(), BMPole::OrientationCaption(0.5f, -0.25f));
    EXPECT_TRUE(LevelItemsEnabled());
    EXPECT_FALSE(c().Modified());
    const QString second = dir.filePath("second.QST");
    ASSERT_TRUE(c().SaveDataFile(second));
    const Document saved = c().CurrentDocument();
    EXPECT_FLOAT_EQ(saved.grades[0].value, 2.35f);
    EXPECT_EQ(saved.contourPoles[1], d.contourPoles[1]);
    EXPECT_EQ(saved.plotPoles[0], d.plotPoles[0]);

    ASSERT_TRUE(c().OpenDataFile(second));
    const QString third = dir.filePath("third.QST");
    ASSERT_TRUE(c().SaveDataFile(third));
    EXPECT_EQ(slurp(third), slurp(second));
}

TEST_F(LevelsAndPoles, PrintedContourDiagramCarriesTheMarkerCaptions) {
    const QByteArray keep = qgetenv("QSTEREO_TEST_OUTPUT");
    const QString pdf = (keep.isEmpty() ? dir.path() : QString::fromLocal8Bit(keep)) + "/cont.pdf";
    c().SetPrinterFactory([pdf] {
        auto printer = std::make_unique<PrinterSurface>();
        printer->Printer().setOutputFormat(QPrinter::PdfFormat);
        printer->Printer().setOutputFileName(pdf);
        return std::unique_ptr<DrawingSurface>(std::move(printer));
    });
    Activate(c().FormCont);
    c().FormMain_MenuClick(112);
    Q_EMIT c().FormCont->MovePole(1, 0.5f, 0);
    dialogs.expectMessage("選択中の帳票を印刷します。\r\nよろしいですか？", MsgButtons::YesNo,
                          MsgIcon::Exclamation, "QUILL Stereo", MsgResult::Yes);
    c().FormMain_MenuClick(32);
    EXPECT_EQ(PdfPageCount(pdf), 1);
}

TEST_F(LevelsAndPoles, EveryEditASaveWouldWriteAsksBeforeTheDocumentGoes) {
    c().AddPole(c().FormCont);
    c().FormRSet->SelectLevel(c().AddLevel(1).Index());
    c().FormMain_MenuClick(103);
    PictureSurface& picture = c().FormCont->picCont().Surface();
    const std::function<void()> edits[] = {
        [&] { Q_EMIT c().FormRSet->Move(1, 3); },
        [&] { dialogs.expectColor(1), c().FormMain_MenuClick(321); },
        [&] { c().FormMain_MenuClick(402); },
        [&] { Q_EMIT c().FormCont->MovePoleLabel(1); },
        [&] { Q_EMIT c().FormCont->MovePole(1, 0.5f, 0.3f); },
    };
    for (const auto& edit : edits) {
        ASSERT_TRUE(c().SaveDataFile(dir.filePath("e.QST")));
        edit();
        dialogs.expectMessage("ﾃﾞｰﾀは変更されています。\r\n変更内容を保存しますか？",
                              MsgButtons::YesNoCancel, MsgIcon::Exclamation, "Quill Net",
                              MsgResult::Cancel);
        c().FormMain_MenuClick(1);
    }
    // The moved marker's old leader line has gone from the contour picture.
    EXPECT_GT(qGray(picture.Image().pixel(picture.UserToDevice(-50, 50).toPoint())), 128);
}

TEST_F(LevelsAndPoles, LegendAndDiagramsShowWhatWasDrawnLast) {
    c().FormMain->grdData().SetTextMatrix(2, 3, "45");
    c().FormMain_MenuClick(103);
    c().FormMain_MenuClick(202);
    const QMdiArea& area = c().FormMain->mdiArea();
    EXPECT_EQ(area.subWindowList(QMdiArea::StackingOrder).last()->widget(), c().FormPlot);
    EXPECT_EQ(area.activeSubWindow()->widget(), c().FormPlot);
    c().FormRSet->parentWidget()->resize(420, 500);
    const QImage resized = c().FormRSet->picRSet().Surface().Image().copy();
    ASSERT_TRUE(c().SaveDataFile(dir.filePath("one.QST")));
    ASSERT_TRUE(c().OpenDataFile(QSTEREO_SAMPLES "/sample.QST"));
    ASSERT_TRUE(c().OpenDataFile(dir.filePath("one.QST")));
    EXPECT_EQ(c().FormRSet->picRSet().Surface().Image(), resized);
    c().AddLevel(20);
    c().FormMain->grdData().SetTextMatrix(3, 3, "80");
    c().FormMain_MenuClick(103);
    const double y = c().FormRSet->picRSet().Surface().UserToDevice(0, 20).y();
    EXPECT_NEAR(Level(1).Label()->y(), y, 1);
}
