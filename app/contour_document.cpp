// The document: a new one, one read from a data file, one written to it.
#include "core/bmmain.h"
#include "app/contour.h"
#include "core/data_file.h"
#include "core/version.h"
#include "platform/desktop.h"
#include "tabula.h"
#include "windows/bmcontour.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"
#include "windows/frm_rank_set.h"

#include <QAction>
#include <QCoreApplication>

namespace {

constexpr int kFirstDataRow = 2;

} // namespace

void Contour::ClearDiagramObjects() {
    if (FormRSet)
        FormRSet->setLabelIndex(0);
    Grades.clear();
    ContourPoles.clear();
    PlotPoles.clear();
}

void Contour::NewDocument(bool ResetGrid) {
    countedNodes_ = 0;
    dataNumbers_ = 0;
    countMax_ = 0;
    density_ = {};
    FormPlot->setTitle(QStringLiteral("分布図"));
    FormRose->setTitle(QStringLiteral("ローズダイアグラム"));
    FormCont->setTitle(QStringLiteral("（シュミットネット下半球投影）\r\n"));
    fileName_ = QStringLiteral("新規.QST");
    ClearDiagramObjects();
    for (int item : {301, 311, 321})
        FormMain->MenuItem(item)->setEnabled(false);
    if (ResetGrid) {
        BMContour::InitDataGrid(FormMain->grdData());
        ComputeDensity();
        RefitLegend();
        DrawRankLegend();
        DrawPlot(0);
        DrawRose(0);
        DrawRankDiagram(0);
        DrawContourDiagram(0);
    }
    modified_ = false;
}

bool Contour::OpenDataFile(const QString& path) {
    std::optional<Document> document = DataFile::ReadDataFile(path, dialogs_);
    if (!document)
        return false;
    NewDocument(false);
    fileName_ = path;
    ApplyDocument(*document);

    Hourglass hourglass;
    SetChildWindowsEnabled(false);
    ComputeDensity();
    RefitLegend();
    DrawPlot(0);
    DrawRose(0);
    DrawRankDiagram(0);
    DrawContourDiagram(0);
    Tabula& grid = FormMain->grdData();
    grid.SetRow(kFirstDataRow);
    grid.SetCol(1);
    grid.setFocus();
    SetChildWindowsEnabled(true);
    modified_ = false;
    return true;
}

void Contour::ApplyDocument(const Document& document) {
    // A file of the first version has no rose title: the rose keeps the one it has.
    if (document.roseTitle)
        FormRose->setTitle(*document.roseTitle);
    FormCont->setTitle(document.contourTitle);
    FormPlot->setTitle(document.plotTitle);
    Grades = document.grades;
    ContourPoles = document.contourPoles;
    PlotPoles = document.plotPoles;
    QCoreApplication::processEvents();

    Tabula& grid = FormMain->grdData();
    BMContour::InitDataGrid(grid);
    grid.SetRedraw(false);
    const int rows = static_cast<int>(document.rows.size());
    if (grid.Rows() < rows + kFirstDataRow)
        grid.SetRows(rows + kFirstDataRow);
    for (int k = 0; k < rows; ++k)
        for (int c = 0; c < 4; ++c)
            grid.SetTextMatrix(k + kFirstDataRow, c + 1, document.rows[k][c]);
    grid.SetRedraw(true);
    FormMain->setChange(false);
}

Document Contour::CurrentDocument() const {
    Document document;
    document.version = ProgramVersion::kNumber;
    document.roseTitle = FormRose->Title();
    document.contourTitle = FormCont->Title();
    document.plotTitle = FormPlot->Title();
    document.grades = Grades;
    document.contourPoles = ContourPoles;
    document.plotPoles = PlotPoles;
    Tabula& grid = FormMain->grdData();
    const int rows = grid.Rows();
    document.rows.reserve(std::max(0, rows - kFirstDataRow));
    for (int r = kFirstDataRow; r < rows; ++r)
        document.rows.push_back({grid.TextMatrix(r, 1), grid.TextMatrix(r, 2),
                                 grid.TextMatrix(r, 3), grid.TextMatrix(r, 4)});
    return document;
}

bool Contour::SaveDataFile(const QString& path) {
    // The cells are read one by one, so the header's merged captions stay as they are.
    const bool saved = DataFile::WriteDataFile(path, fileName_, CurrentDocument(), dialogs_);
    if (saved) {
        FormMain->setChange(false);
        modified_ = false;
    }
    return saved;
}
