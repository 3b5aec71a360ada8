#include "platform/qt_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QTemporaryDir>
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
