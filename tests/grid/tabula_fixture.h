// A shown, active Tabula with scripted message boxes, counted beeps and a record of its
// events, driven through key and mouse events the way a user would.
#pragma once

#include "tabula.h"
#include "windows/bmcontour.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

// Readable texts in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

class TabulaTest : public ::testing::Test {
  protected:
    struct Expected {
        TabulaMessage message;
        TabulaAnswer answer;
    };

    void SetUp() override {
        grid = new Tabula;
        grid->resize(420, 400);
        grid->SetMessageHandler([this](const TabulaMessage& m) {
            if (expected.empty()) {
                ADD_FAILURE() << "unexpected message: " << m.text.toStdString();
                return TabulaAnswer::Cancel;
            }
            const Expected e = expected.front();
            expected.pop_front();
            EXPECT_EQ(m.text, e.message.text);
            EXPECT_EQ(m.title, e.message.title);
            EXPECT_EQ(m.buttons, e.message.buttons);
            EXPECT_EQ(m.icon, e.message.icon);
            return e.answer;
        });
        grid->SetBeepHandler([this] { ++beeps; });
        record();
        grid->show();
        QApplication::setActiveWindow(grid);
        ASSERT_TRUE(QTest::qWaitForWindowActive(grid));
        grid->setFocus();
    }

    void TearDown() override {
        EXPECT_TRUE(expected.empty()) << "message boxes not shown: " << expected.size();
        delete grid;
    }

    // Every event as a line of text, in the order raised.
    void record() {
        QObject::connect(grid, &Tabula::BeforeChange, grid, [this](bool& cancel, int r, int c) {
            events << QStringLiteral("BeforeChange %1,%2").arg(r).arg(c);
            if (cancelNext) {
                cancel = true;
                cancelNext = false;
            }
        });
        QObject::connect(grid, &Tabula::Change, grid, [this](int r, int c) {
            events << QStringLiteral("Change %1,%2").arg(r).arg(c);
        });
        QObject::connect(grid, &Tabula::BeforeInsertRow, grid,
                         [this](int r, const QString&, bool& cancel) {
                             events << QStringLiteral("BeforeInsertRow %1").arg(r);
                             cancel = cancelNext;
                         });
        QObject::connect(grid, &Tabula::AfterInsertRow, grid,
                         [this](int r) { events << QStringLiteral("AfterInsertRow %1").arg(r); });
        QObject::connect(grid, &Tabula::BeforeDeleteRow, grid, [this](int r, bool& cancel) {
            events << QStringLiteral("BeforeDeleteRow %1").arg(r);
            cancel = cancelNext;
        });
        QObject::connect(grid, &Tabula::AfterDeleteRow, grid,
                         [this](int r) { events << QStringLiteral("AfterDeleteRow %1").arg(r); });
        QObject::connect(grid, &Tabula::AfterPaste, grid, [this](int r1, int c1, int r2, int c2) {
            events << QStringLiteral("AfterPaste %1,%2,%3,%4").arg(r1).arg(c1).arg(r2).arg(c2);
        });
        QObject::connect(grid, &Tabula::PasteOverEnd, grid, [this](bool overEnd) {
            events << QStringLiteral("PasteOverEnd %1").arg(overEnd ? "True" : "False");
        });
        QObject::connect(grid, &Tabula::RowColChange, grid,
                         [this] { events << QStringLiteral("RowColChange"); });
    }

    void expectMessage(const QString& text, const QString& title, TabulaButtons buttons,
                       TabulaIcon icon, TabulaAnswer answer = TabulaAnswer::OK) {
        expected.push_back({{text, title, buttons, icon}, answer});
    }

    QWidget* inner() const { return grid->findChild<QWidget*>(QStringLiteral("grdMain")); }
    QLineEdit* input() const { return grid->findChild<QLineEdit*>(QStringLiteral("txtInp")); }
    QLineEdit* editor() const { return grid->findChild<QLineEdit*>(QStringLiteral("txtOnGrid")); }
    QWidget* focused() const { return QApplication::focusWidget(); }

    // Characters as a keyboard or an input method delivers them, to whatever has the focus.
    void type(const QString& text) {
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(focused(), &press);
        }
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(focused(), k, mods);
    }

    // Moves the current cell the way a click does, then forgets what that reported.
    void clickCell(int r, int c) {
        grid->SetRow(r);
        grid->SetCol(c);
        grid->setFocus();
        events.clear();
    }

    Tabula* grid = nullptr;
    std::deque<Expected> expected;
    QStringList events;
    bool cancelNext = false;
    int beeps = 0;
};
