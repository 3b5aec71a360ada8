// The document: a new one, one read from a data file, one written to it.
#include "app/contour.h"
#include "core/bmmain.h"
#include "core/data_file.h"
#include "core/document_reader.h"
#include "core/file_names.h"
#include "core/imported_document.h"
#include "core/vb.h"
#include "core/version.h"
#include "platform/desktop.h"
#include "tabula.h"
#include "windows/bmcontour.h"
#include "windows/frm_main.h"
#include "windows/frm_map.h"
#include "windows/frm_rank_set.h"

#include <QAction>
#include <QCoreApplication>
#include <algorithm>
#include <vector>

namespace {

constexpr int kFirstDataRow = 2;

} // namespace

void Contour::ClearDiagramObjects() {
    if (FormRSet)
        FormRSet->setLabelIndex(0);
    Grades.Clear();
    ContourPoles.Clear();
    PlotPoles.Clear();
}

void Contour::NewDocument(bool ResetGrid) {
    countedNodes_ = 0;
    dataNumbers_ = 0;
    countMax_ = 0;
    density_ = {};
    const Document blank = ImportedDocument::NewDocument();
    FormPlot->setTitle(blank.plotTitle);
    FormRose->setTitle(*blank.roseTitle);
    FormCont->setTitle(blank.contourTitle);
    fileName_ = QStringLiteral("新規.QST");
    untitled_ = true;
    ClearDiagramObjects();
    EnableLevelItems(false);
    if (ResetGrid) {
        BMContour::InitDataGrid(FormMain->grdData());
        const SingleGridWalk walk(*this);
        ComputeDensity();
        DrawRankLegend();
        DrawPlot(0);
        DrawRose(0);
        DrawRankDiagram(0);
        DrawContourDiagram(0);
    }
    modified_ = false;
}

QString Contour::UnopenableMessage(const QString& path) {
    QString reason;
    if (!BMMain::FileExists(path))
        reason = QStringLiteral("（ﾌｧｲﾙが見つかりません）");
    else if (vb::InStrText(path, QStringLiteral(".QST")) == 0)
        reason = QStringLiteral("（ｼｭﾐｯﾄﾈｯﾄﾃﾞｰﾀ(*.QST)ではありません）");
    else
        return QString();
    return reason + QStringLiteral("\r\nﾌｧｲﾙを開くことができません。\r\n\r\n") + path;
}

void Contour::ReportUnopenable(const QString& message) {
    Notify(dialogs_, message, MsgIcon::Exclamation, DataFile::ReadFailureTitle());
}

bool Contour::OpenDataFile(const QString& path) {
    std::optional<Document> document = DataFile::ReadDataFile(path, dialogs_);
    if (!document)
        return false;
    // A file of the first version has no rose title: the rose keeps the one it shows.
    if (!document->roseTitle)
        document->roseTitle = FormRose->Title();
    NewDocument(false);
    fileName_ = path;
    untitled_ = false;
    ApplyDocument(*document);
    // The grid holds the rows now; the diagrams are drawn from it.
    document.reset();
    RedrawLoadedData();
    modified_ = false;
    return true;
}

void Contour::RedrawLoadedData() {
    Hourglass hourglass;
    SetChildWindowsEnabled(false);
    {
        const SingleGridWalk walk(*this);
        ComputeDensity();
        // Also without levels: the bars are the new document's.
        DrawRankLegend();
        DrawPlot(0);
        DrawRose(0);
        DrawRankDiagram(0);
        DrawContourDiagram(0);
    }
    Tabula& grid = FormMain->grdData();
    grid.SetRow(kFirstDataRow);
    grid.SetCol(1);
    grid.setFocus();
    SetChildWindowsEnabled(true);
}

void Contour::ApplyDocument(const Document& document) {
    if (document.roseTitle)
        FormRose->setTitle(*document.roseTitle);
    FormCont->setTitle(document.contourTitle);
    FormPlot->setTitle(document.plotTitle);
    for (const Document::Grade& stored : document.grades) {
        Grade& level = AddLevel(0);
        level.SetValue(stored.value);
        level.SetForeColor(stored.foreColor);
        if (stored.fillStyle)
            level.SetFillStyle(*stored.fillStyle);
    }
    const float r = BMMain::NetRadius;
    for (auto [form, poles] :
         {std::pair{FormCont, &document.contourPoles}, std::pair{FormPlot, &document.plotPoles}}) {
        for (const Document::Pole& stored : *poles) {
            Pole& pole = AddPole(form);
            pole.X = stored.x;
            pole.Y = stored.y;
            pole.MoveLabel(r * stored.labelLeft, r * stored.labelTop);
            pole.SetLabelCaption();
            pole.SetPosition();
        }
    }
    QCoreApplication::processEvents();
    FillDataGrid(document.rows);
    FormMain->setChange(false);
}

void Contour::FillDataGrid(const std::vector<Document::Row>& rows) {
    Tabula& grid = FormMain->grdData();
    BMContour::InitDataGrid(grid);
    grid.SetRedraw(false);
    const int count = static_cast<int>(rows.size());
    if (grid.Rows() < count + kFirstDataRow)
        grid.SetRows(count + kFirstDataRow);
    // Block by block as clip texts over a selection, as the grid takes a paste: a million rows
    // need no string for every cell. A row a clip text cannot carry is written cell by cell.
    constexpr int kBlock = 8192;
    QString block;
    std::vector<int> byCell;
    for (int first = 0; first < count; first += kBlock) {
        const int last = std::min(count, first + kBlock) - 1;
        block.clear();
        for (int k = first; k <= last; ++k) {
            if (k > first)
                block += u'\r';
            if (!rows[size_t(k)].AppendClipRow(block))
                byCell.push_back(k);
        }
        grid.SetRow(first + kFirstDataRow);
        grid.SetCol(1);
        grid.SetRowSel(last + kFirstDataRow);
        grid.SetColSel(4);
        grid.SetClip(block);
    }
    for (const int k : byCell)
        for (int c = 0; c < 4; ++c)
            grid.SetTextMatrix(k + kFirstDataRow, c + 1, rows[size_t(k)][size_t(c)]);
    grid.SetRow(kFirstDataRow);
    grid.SetCol(1);
    grid.SetRedraw(true);
}

Document Contour::CurrentDocument() const {
    Document document;
    document.version = ProgramVersion::kNumber;
    document.roseTitle = FormRose->Title();
    document.contourTitle = FormCont->Title();
    document.plotTitle = FormPlot->Title();
    for (const Grade& level : Grades)
        document.grades.push_back(
            {level.Value(), level.ForeColor(), static_cast<int16_t>(level.FillStyle())});
    const float r = BMMain::NetRadius;
    for (auto [poles, stored] : {std::pair{&ContourPoles, &document.contourPoles},
                                 std::pair{&PlotPoles, &document.plotPoles}}) {
        for (const Pole& pole : *poles) {
            const QRectF label = pole.LabelRect();
            stored->push_back({pole.X, pole.Y, float(label.left()) / r, float(label.top()) / r});
        }
    }
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
