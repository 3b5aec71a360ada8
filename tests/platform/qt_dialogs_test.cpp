#include "platform/desktop.h"
#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

TEST(QtDialogsFilter, DataFilesMatchWhateverTheirLetterCase) {
    const QString filter = QtDialogs::qtFilter("ｼｭﾐｯﾄﾈｯﾄﾃﾞｰﾀ(*.QST)|*.QST|");
    EXPECT_EQ(filter, "ｼｭﾐｯﾄﾈｯﾄﾃﾞｰﾀ[*.QST] (*.[Qq][Ss][Tt])");

    QTemporaryDir dir;
    for (const char* name : {"a.qst", "b.QST", "c.Qst", "d.txt"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QDir d(dir.path(), "*.[Qq][Ss][Tt]", QDir::Name, QDir::Files);
    EXPECT_EQ(d.entryList(), QStringList({"a.qst", "b.QST", "c.Qst"}));
}

TEST(QtDialogsMessage, ShowsTheTextAsItIsAndAnswersWithTheButtonClicked) {
    QtDialogs dialogs;
    const QString text = QString::fromUtf8("<b>a.QST</b> を保存しますか？\r\nよろしいですか？");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible())
                continue;
            seen = true;
            EXPECT_EQ(box->windowTitle(), "QUILL Stereo");
            EXPECT_EQ(box->text(), text);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            EXPECT_EQ(box->buttons().size(), 3);
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
            box->button(QMessageBox::Cancel)->click();
        }
    });
    EXPECT_EQ(dialogs.message(text, MsgButtons::YesNoCancel, MsgIcon::Exclamation,
                              QStringLiteral("QUILL Stereo"), 2),
              MsgResult::Cancel);
    EXPECT_TRUE(seen);
}

TEST(DesktopFonts, WindowsFontNamesResolveToTheJapaneseFonts) {
    // The test main installs the substitutions as the program does.
    const struct {
        const char* name;
        const char* family;
    } cases[] = {{"ＭＳ 明朝", "IPAMincho"},
                 {"ＭＳ Ｐ明朝", "IPAPMincho"},
                 {"ＭＳ ゴシック", "IPAGothic"},
                 {"ＭＳ Ｐゴシック", "IPAPGothic"}};
    for (const auto& c : cases) {
        const QFontInfo info(QFont(QString::fromUtf8(c.name), 12));
        if (QFontDatabase::families().contains(QString::fromLatin1(c.family))) {
            EXPECT_EQ(info.family(), QString::fromLatin1(c.family)) << c.name;
        }
    }
}

TEST(DesktopCursor, HourglassLastsAsLongAsItsScope) {
    {
        Hourglass hourglass;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
