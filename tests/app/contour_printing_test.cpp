// The print command (the question, the active diagram on one page, a missing or failing
// printer), the plot and rose drawn from the grid, and the rose's width command.
#include "../diagrams/pixels.h"
#include "app/contour.h"
#include "core/bmmain.h"
#include "core/file_association.h"
#include "diagrams/picture_box.h"
#include "diagrams/printer_surface.h"
#include "scripted_dialogs.h"
#include "started_contour.h"
#include "tabula.h"
#include "test_files.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"

#include <QDir>
#include <QFile>

#include <QCoreApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageLayout>
#include <QPageSize>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kQuestion = QStringLiteral("選択中の帳票を印刷します。\r\nよろしいですか？");

class ContourPrintingTest : public StartedContour {
  protected:
    void SetUp() override {
        StartedContour::SetUp();
        // Pages go to numbered PDF files unless a test says otherwise.
        contour->SetPrinterFactory([this] { return PdfPrinter(NextPdf()); });
    }
    QString NextPdf() { return dir.filePath(QStringLiteral("page%1.pdf").arg(++pages)); }
    static std::unique_ptr<DrawingSurface> PdfPrinter(const QString& path, int dpi = 1200) {
        auto printer = std::make_unique<PrinterSurface>();
        printer->Printer().setResolution(dpi);
        printer->Printer().setOutputFormat(QPrinter::PdfFormat);
        printer->Printer().setOutputFileName(path);
        printer->Printer().setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                                     QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                                                     QPageLayout::Millimeter));
        return printer;
    }
    // Command 32 answered with `answer`; `failure` is the message expected after it.
    void Print(MsgResult answer, const QString& failure = QString()) {
        dialogs.expectMessage(kQuestion, MsgButtons::YesNo, MsgIcon::Exclamation,
                              QStringLiteral("QUILL Stereo"), answer);
        if (!failure.isEmpty())
            dialogs.expectMessage(failure, MsgButtons::OK, MsgIcon::Exclamation,
                                  QStringLiteral("QUILL Stereo"));
        contour->FormMain_MenuClick(32);
    }

    int pages = 0;
};

} // namespace

TEST_F(ContourPrintingTest, EachDiagramPrintsOnePageOfItsOwnAndNoPrintsNothing) {
    int asked = 0;
    contour->SetPrinterFactory([&] {
        ++asked;
        return PdfPrinter(NextPdf());
    });
    Activate(contour->FormPlot);
    Print(MsgResult::No);
    EXPECT_EQ(asked, 0);
    for (frmMap* form : {contour->FormPlot, contour->FormRose}) {
        Activate(form);
        Print(MsgResult::Yes);
    }
    EXPECT_EQ(asked, 2);
    for (int i = 1; i <= 2; ++i)
        EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("page%1.pdf").arg(i))).size(), 0) << i;
}

TEST_F(ContourPrintingTest, TheContourPageKeepsDataAtTheRimAtAnyResolution) {
    // Poles just inside the rim to the east, west and south, under one solid black level.
    const QStringList cells = QStringLiteral("0 E 89 W 0 E 89 E 90 E 89 N").split(u' ');
    for (int i = 0; i < 12; ++i)
        contour->FormMain->grdData().SetTextMatrix(2 + i / 4, 1 + i % 4, cells[i]);
    contour->FormMain_MenuClick(103);
    Grade& level = contour->AddLevel(0);
    level.SetForeColor(0);
    level.SetFillStyle(0);
    Activate(contour->FormCont);
    const QPointF centre = QPointF(90, 75) * 150 / 25.4; // 85 and 70 mm into the printable area
    for (const int dpi : {300, 600, 1200}) {
        contour->SetPrinterFactory([&] { return PdfPrinter(dir.filePath("rim.pdf"), dpi); });
        Print(MsgResult::Yes);
        const QImage page = pixels::RenderPdf(dir.filePath("rim.pdf"), 150);
        for (const double degrees : {3.0, 183.0, 93.0}) { // clear of the diameters
            const QPointF mm = QLineF::fromPolar(150 / 25.4, -degrees).p2();
            EXPECT_TRUE(pixels::DarkNear(page, centre + 49.3 * mm, 0)) << dpi << " dpi " << degrees;
            EXPECT_FALSE(pixels::DarkNear(page, centre + 50.8 * mm, 1)) << dpi << " dpi";
        }
    }
}

TEST_F(ContourPrintingTest, AMissingOrFailingPrinterIsReportedAndThePicturesStay) {
    Activate(contour->FormPlot);
    const QImage before = contour->FormPlot->picCont().Surface().Image();
    struct Case {
        Contour::PrinterFactory printer;
        QString message;
    };
    const Case cases[] = {
        {[] { return std::unique_ptr<DrawingSurface>(); },
         QStringLiteral("ﾌﾟﾘﾝﾀが見つかりません。\r\nﾌﾟﾘﾝﾀの設定を確認してください。")},
        {[this] { return PdfPrinter(dir.filePath(QStringLiteral("missing/folder/page.pdf"))); },
         QStringLiteral("印刷できませんでした。\r\nﾌﾟﾘﾝﾀの状態を確認してください。")},
    };
    for (const Case& c : cases) {
        contour->SetPrinterFactory(c.printer);
        Print(MsgResult::Yes, c.message);
        EXPECT_TRUE(dialogs.allAnswered()) << c.message.toStdString();
    }
    EXPECT_EQ(contour->FormPlot->picCont().Surface().Image(), before);
}

TEST_F(ContourPrintingTest, SampleDiagramsPrintAndTheRoseNamesItsDominantSector) {
    QDir::setCurrent(dir.path());
    ASSERT_TRUE(contour->OpenDataFile(QStringLiteral(QSTEREO_SAMPLES "/sample.QST")));
    EXPECT_EQ(contour->FormMain->PanelText(3), QStringLiteral("方位偏重：19個 (N11.25°～33.75°E)"));
    Activate(contour->FormPlot);
    Print(MsgResult::Yes);
    Activate(contour->FormRose);
    Print(MsgResult::Yes);
    // Kept for a look when asked to.
    const QString keep = qEnvironmentVariable("QSTEREO_TEST_OUTPUT");
    for (const QString& name : {QStringLiteral("plot"), QStringLiteral("rose")}) {
        const QString page = dir.filePath(QStringLiteral("page%1.pdf").arg(name == "plot" ? 1 : 2));
        EXPECT_GT(QFileInfo(page).size(), 0);
        if (!keep.isEmpty()) {
            QFile::remove(QDir(keep).filePath(name + ".pdf"));
            QFile::copy(page, QDir(keep).filePath(name + ".pdf"));
        }
    }
    // An empty data set names no sector.
    contour->FormMain_MenuClick(1);
    EXPECT_EQ(contour->FormMain->PanelText(3), QString());
}

TEST_F(ContourPrintingTest, RoseWidthAsksUntilTheAnswerFitsAndKeepsIt) {
    const QString title = QStringLiteral("角幅の変更");
    const QString prompt16 = QStringLiteral("ﾛｰｽﾞﾀﾞｲｱｸﾞﾗﾑの角幅を360度の分割数で入力してください。"
                                            "\r\n\r\n現在の設定：入力 16　→　角幅 22.50 度");
    const QString confirm = QStringLiteral(
        "角幅を変更します。\r\n\r\n２２．５０度　→　 ４５．００度\r\n\r\nよろしいですか？");
    dialogs.expectInput(prompt16, title, "16", QStringLiteral("400"))
        .expectMessage(
            QStringLiteral(
                "360より大きい値は入力できません。\r\n\r\n2～360の整数値を入力してください。"),
            MsgButtons::OK, MsgIcon::Exclamation, title)
        .expectInput(prompt16, title, "16", QStringLiteral("-3"))
        .expectMessage(QStringLiteral("正の整数値を入力してください。"), MsgButtons::OK,
                       MsgIcon::Exclamation, title)
        .expectInput(prompt16, title, "16", QStringLiteral("99999999"))
        .expectMessage(
            QStringLiteral(
                "360より大きい値は入力できません。\r\n\r\n2～360の整数値を入力してください。"),
            MsgButtons::OK, MsgIcon::Exclamation, title)
        .expectInput(prompt16, title, "16", QStringLiteral("8"))
        .expectMessage(confirm, MsgButtons::YesNo, MsgIcon::Exclamation, title, MsgResult::No)
        .expectInput(prompt16, title, "16", std::nullopt)
        .expectInput(prompt16, title, "16", QStringLiteral("abc"));
    for (int i = 0; i < 3; ++i)
        contour->FormMain_MenuClick(212);
    EXPECT_EQ(contour->RoseDivisions(), 16);
    EXPECT_EQ(BMMain::GetIniString("解像度", "分割角度数", "none"), "none");

    dialogs.expectInput(prompt16, title, "16", QStringLiteral("8"))
        .expectMessage(confirm, MsgButtons::YesNo, MsgIcon::Exclamation, title, MsgResult::Yes);
    contour->FormMain_MenuClick(212);
    EXPECT_EQ(contour->RoseDivisions(), 8);
    EXPECT_EQ(BMMain::GetIniString("解像度", "分割角度数", "none"), "8");
}

TEST_F(ContourPrintingTest, DataListPrintsItsPagesOrReportsThePrinter) {
    const QString question = QStringLiteral("ﾃﾞｰﾀ一覧表を印刷します。\r\nよろしいですか？");
    auto printList = [&](const QString& failure = QString()) {
        dialogs.expectMessage(question, MsgButtons::YesNo, MsgIcon::Exclamation,
                              QStringLiteral("QUILL Stereo"), MsgResult::Yes);
        if (!failure.isEmpty())
            dialogs.expectMessage(failure, MsgButtons::OK, MsgIcon::Exclamation,
                                  QStringLiteral("QUILL Stereo"));
        contour->FormMain_MenuClick(31);
    };
    Tabula& grid = contour->FormMain->grdData();
    for (int r = 2; r < 2 + 84; ++r)
        for (int c = 1; c <= 4; ++c)
            grid.SetTextMatrix(r, c, QStringLiteral("3"));
    // 84 measurements and the empty row after them: two pages in one document.
    printList();
    EXPECT_EQ(PdfPageCount(dir.filePath("page1.pdf")), 2);
    // A row count the page cannot hold prints with the default one instead of never ending.
    BMMain::PrintRows = 2;
    printList();
    BMMain::PrintRows = 30;
    EXPECT_EQ(PdfPageCount(dir.filePath("page2.pdf")), 2);

    contour->SetPrinterFactory([] { return std::unique_ptr<DrawingSurface>(); });
    printList(QStringLiteral("ﾌﾟﾘﾝﾀが見つかりません。\r\nﾌﾟﾘﾝﾀの設定を確認してください。"));
    contour->SetPrinterFactory(
        [this] { return PdfPrinter(dir.filePath(QStringLiteral("missing/folder/list.pdf"))); });
    printList(QStringLiteral("印刷できませんでした。\r\nﾌﾟﾘﾝﾀの状態を確認してください。"));
}
