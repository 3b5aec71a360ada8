// The import and data export commands of the file menu, with the preview answered by script.
#include "core/import_preview.h"
#include "started_contour.h"
#include "tabula.h"
#include "test_files.h"

namespace {

class DataImport : public StartedContour {
  protected:
    void SetRows(const QStringList& rows) {
        for (int k = 0; k < rows.size(); ++k) {
            const QStringList cells = rows[k].split(u',');
            for (int c = 0; c < 4; ++c)
                contour->FormMain->grdData().SetTextMatrix(k + 2, c + 1, cells.value(c));
        }
    }
    QStringList Rows(int count) {
        QStringList rows;
        Tabula& grid = contour->FormMain->grdData();
        for (int r = 2; r < 2 + count; ++r)
            rows << QStringList{grid.TextMatrix(r, 1), grid.TextMatrix(r, 2), grid.TextMatrix(r, 3),
                                grid.TextMatrix(r, 4)}
                        .join(u',');
        return rows;
    }
    // Imports `path` through the menu, answering the preview with what it found and `append`.
    void Import(const QString& path, bool append, bool accept = true) {
        dialogs.expectOpenFile(path).expectImportPreview(
            QFileInfo(path).fileName(),
            [append, accept](const ImportPreviewRequest& request, ImportChoice& choice) {
                choice = {request.sheet, request.mapping, append};
                return accept;
            });
        contour->FormMain_MenuClick(1011);
    }
};

} // namespace

TEST_F(DataImport, RowsReplaceOrFollowTheDataSetAndCancelChangesNothing) {
    const QString csv = dir.filePath(QStringLiteral("field.csv"));
    ASSERT_TRUE(spit(csv, "dip direction,dip\n120,45\n95,45\n120,95\n"));
    SetRows({"10,E,20,SE", "20,W,30,NE", ",,,", "5,E,5,S"});
    contour->FormMain->setChange(false);

    Import(csv, true, false);
    EXPECT_EQ(Rows(4), QStringList({"10,E,20,SE", "20,W,30,NE", ",,,", "5,E,5,S"}));
    EXPECT_FALSE(contour->FormMain->Change());

    // The row below the first empty one moves down, kept.
    Import(csv, true);
    EXPECT_EQ(Rows(6), QStringList({"10,E,20,SE", "20,W,30,NE", "30,E,45,SE", "5,E,45,SE", ",,,",
                                    "5,E,5,S"}));
    EXPECT_TRUE(contour->FormMain->Change());
    EXPECT_EQ(contour->DataNumbers(), 4);

    Import(csv, false);
    EXPECT_EQ(Rows(3), QStringList({"30,E,45,SE", "5,E,45,SE", ",,,"}));
    EXPECT_EQ(contour->FormMain->grdData().Rows(), 102);
    EXPECT_EQ(contour->DataNumbers(), 2);
    // Each import is one step: both undone, the data is as last saved.
    Tabula& grid = contour->FormMain->grdData();
    grid.Undo();
    grid.Undo();
    EXPECT_EQ(Rows(4), QStringList({"10,E,20,SE", "20,W,30,NE", ",,,", "5,E,5,S"}));
    EXPECT_FALSE(contour->FormMain->Change());
    grid.Redo();
    grid.Redo();
    EXPECT_EQ(grid.TextMatrix(101, 0), "100");
}

TEST_F(DataImport, ExportedDataImportsAsTheSameGridAndDensity) {
    SetRows({"30,E,45,S", "0,W,45,W", "10,E,45,W", "90,E,30,s", "45,W,0,"});
    contour->RedrawAll();
    const auto before = contour->DensityResults();
    const QString csv = dir.filePath(QStringLiteral("out.csv"));
    dialogs.expectSaveFile(csv);
    contour->FormMain_MenuClick(1012);
    EXPECT_TRUE(slurp(csv).startsWith("\xEF\xBB\xBF"));

    SetRows({"1,E,1,N", "1,E,1,N", "1,E,1,N", "1,E,1,N", "1,E,1,N", "1,E,1,N"});
    Import(csv, false);
    EXPECT_EQ(Rows(6),
              QStringList({"30,E,45,S", "0,W,45,W", "10,E,45,W", "90,E,30,s", "45,W,0,", ",,,"}));
    const auto& after = contour->DensityResults();
    EXPECT_EQ(after.dataNumbers, 5);
    for (int i = before.grid.Low(); i <= before.grid.High(); ++i)
        for (int j = before.grid.Low(); j <= before.grid.High(); ++j)
            ASSERT_EQ(after.grid(i, j), before.grid(i, j));
}

TEST_F(DataImport, FilesThatCannotBeImportedAndAnEmptyDataSetAreToldAndChangeNothing) {
    const QString title = QStringLiteral("ﾃﾞｰﾀの取り込み");
    const QString qst = dir.filePath(QStringLiteral("a.QST"));
    const QString book = dir.filePath(QStringLiteral("book.xlsx"));
    ASSERT_TRUE(spit(book, "PK\x03\x04 cut short"));
    dialogs.expectOpenFile(qst)
        .expectMessage(QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ（.QST）は「開く」で開いてください。\r\n") + qst,
                       MsgButtons::OK, MsgIcon::Exclamation, title)
        .expectOpenFile(book)
        .expectMessage(QStringLiteral("Excel ﾌﾞｯｸ（.xlsx）として読めません。"), MsgButtons::OK,
                       MsgIcon::Exclamation, title)
        .expectMessage(QStringLiteral("書き出すﾃﾞｰﾀがありません。"), MsgButtons::OK,
                       MsgIcon::Exclamation, QStringLiteral("ﾃﾞｰﾀの書き出し"));
    contour->FormMain_MenuClick(1011);
    contour->FormMain_MenuClick(1011);
    contour->FormMain_MenuClick(1012);
    EXPECT_FALSE(contour->FormMain->Change());
}
