// The import preview as a user works it: what it shows of a workbook, and what changing the
// sheet, the columns and the notation does to what it reads.
#include "core/import_file.h"
#include "windows/frm_import.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

QString Text(const frmImport& dialog, const char* label) {
    return dialog.findChild<QLabel*>(QLatin1String(label))->text();
}

QStringList Refused(const frmImport& dialog) {
    QStringList lines;
    const auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lstRefused"));
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

} // namespace

TEST(ImportDialog, SheetColumnsAndNotationChangeWhatIsReadAndOkGivesTheChoice) {
    ImportFile::LoadResult loaded =
        ImportFile::Load(QStringLiteral(QSTEREO_IMPORT_DATA "/two_sheets_libreoffice.xlsx"));
    ASSERT_TRUE(loaded.source);
    const ImportFile::Source& book = *loaded.source;
    frmImport dialog({QStringLiteral("two.xlsx"), &book, 0, ImportColumns::Detect(book.tables[0])});
    auto box = [&dialog](const QString& name) { return dialog.findChild<QComboBox*>(name); };
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ﾃﾞｰﾀの取り込み - two.xlsx"));
    EXPECT_EQ(box(QStringLiteral("cboColumn1"))->currentText(), QStringLiteral("2: 走向傾斜"));
    EXPECT_EQ(Text(dialog, "lblCounts"),
              QStringLiteral("読み込む行: 2（うち角度を丸めた行: 0）　取り込めない行: 1"));
    EXPECT_EQ(Refused(dialog), QStringList({"4行目: 傾斜が0～90の範囲にありません（N30E 95SE）"}));
    const auto* preview = dialog.findChild<QTableWidget*>(QStringLiteral("grdPreview"));
    EXPECT_EQ(preview->rowCount(), 3);
    EXPECT_EQ(preview->verticalHeaderItem(2)->text(), QStringLiteral("4"));

    // The second sheet brings its own columns; then the azimuths read as strikes.
    box(QStringLiteral("cboSheet"))->setCurrentIndex(1);
    EXPECT_EQ(box(QStringLiteral("cboColumn2"))->currentText(), QStringLiteral("2: dip"));
    EXPECT_EQ(Text(dialog, "lblCounts"),
              QStringLiteral("読み込む行: 2（うち角度を丸めた行: 1）　取り込めない行: 1"));
    box(QStringLiteral("cboNotation"))->setCurrentIndex(3);
    EXPECT_EQ(dialog.Choice().mapping.notation, Notation::Kind::RightHandRule);

    // Three columns read nothing, and nothing can be taken.
    box(QStringLiteral("cboColumn3"))->setCurrentIndex(1);
    EXPECT_EQ(Text(dialog, "lblColumns"), QStringLiteral("列は1つ、2つまたは4つ選んでください。"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    EXPECT_FALSE(ok->isEnabled());
    box(QStringLiteral("cboColumn3"))->setCurrentIndex(0);
    ASSERT_TRUE(ok->isEnabled());

    dialog.findChild<QRadioButton*>(QStringLiteral("optAppend"))->setChecked(true);
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const ImportChoice choice = dialog.Choice();
    EXPECT_EQ(choice.sheet, 1);
    EXPECT_EQ(choice.mapping.columns, (std::vector<int>{0, 1}));
    EXPECT_TRUE(choice.append);
}
