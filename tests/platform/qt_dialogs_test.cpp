#include "platform/desktop.h"
#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMessageBox>
#include <QPrintDialog>
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

TEST(DesktopOpen, ReportsWhenTheDesktopHasNoHandler) {
    // A stand-in for xdg-open that answers with the exit code it is given.
    QTemporaryDir bin;
    const QByteArray savedPath = qgetenv("PATH");
    const auto opensWith = [&](int exitCode) {
        QFile script(bin.filePath("xdg-open"));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write("#!/bin/sh\necho \"$1\" > \"${0%/*}/opened\"\nexit " +
                     QByteArray::number(exitCode) + "\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", bin.path().toUtf8());
        const bool opened = desktop::OpenExternal("/opt/q/help_st.htm");
        qputenv("PATH", savedPath);
        return opened;
    };
    EXPECT_TRUE(opensWith(0));
    QFile opened(bin.filePath("opened"));
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_EQ(opened.readAll(), "/opt/q/help_st.htm\n");
    // 3: no program for the type; 4: the program failed.
    EXPECT_FALSE(opensWith(3));
    EXPECT_FALSE(opensWith(4));
}

namespace {

// Runs `show` and, once its dialog of type T is up, hands that to `inspect` and closes it.
template <class T, class Show, class Inspect> bool WithDialog(Show show, Inspect inspect) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<T*>(w); dialog && dialog->isVisible()) {
                seen = true;
                inspect(*dialog);
                dialog->reject();
            }
    });
    show();
    return seen;
}

} // namespace

TEST(QtDialogsFile, StartsInTheFolderAndShowsTheTypeByItsDescription) {
    QtDialogs dialogs;
    QTemporaryDir dir;
    FileDialogRequest request;
    request.title = "ｼｭﾐｯﾄﾈｯﾄ ﾃﾞｰﾀﾌｧｲﾙを保存する";
    request.initialName = "新規.QST";
    request.folder = dir.path();
    request.filter = "ｼｭﾐｯﾄﾈｯﾄﾃﾞｰﾀ(*.QST )|*.QST|";
    EXPECT_TRUE(WithDialog<QFileDialog>([&] { dialogs.saveFile(request); },
                                        [&](QFileDialog& d) {
                                            EXPECT_EQ(d.directory().path(), dir.path());
                                            auto* types = d.findChild<QComboBox*>("fileTypeCombo");
                                            ASSERT_NE(types, nullptr);
                                            EXPECT_EQ(types->currentText(), "ｼｭﾐｯﾄﾈｯﾄﾃﾞｰﾀ[*.QST ]");
                                        }));
}

TEST(QtDialogsPrinter, SetUpChoosesAPrinterWithOk) {
    QtDialogs dialogs;
    EXPECT_TRUE(WithDialog<QPrintDialog>([&] { dialogs.printerSetup(QString()); },
                                         [](QPrintDialog& d) {
                                             auto* box = d.findChild<QDialogButtonBox*>();
                                             ASSERT_NE(box, nullptr);
                                             EXPECT_EQ(box->button(QDialogButtonBox::Ok)->text(),
                                                       "OK");
                                         }));
}
