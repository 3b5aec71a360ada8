// Printing: one page per diagram through the shared page frame, and the data list.
#include "app/contour.h"
#include "core/bmmain.h"
#include "core/dialogs.h"
#include "diagrams/data_list_printing.h"
#include "diagrams/drawing_surface.h"
#include "tabula.h"
#include "windows/frm_main.h"

namespace {

const QString kPrintTitle = QStringLiteral("QUILL Stereo");

} // namespace

bool Contour::PrintOnPrinter(const std::function<bool(DrawingSurface&)>& print) {
    const std::unique_ptr<DrawingSurface> printer = printerFactory_ ? printerFactory_() : nullptr;
    if (!printer) {
        Notify(dialogs_,
               QStringLiteral("ﾌﾟﾘﾝﾀが見つかりません。\r\nﾌﾟﾘﾝﾀの設定を確認してください。"),
               MsgIcon::Exclamation, kPrintTitle);
        return false;
    }
    if (!print(*printer)) {
        Notify(dialogs_,
               QStringLiteral("印刷できませんでした。\r\nﾌﾟﾘﾝﾀの状態を確認してください。"),
               MsgIcon::Exclamation, kPrintTitle);
        return false;
    }
    return true;
}

bool Contour::PrintDiagram(const QString& title, const DiagramPage::DiagramDrawing& draw) {
    return PrintOnPrinter([&](DrawingSurface& printer) {
        return DiagramPage::PrintDiagramPage(printer, title, draw);
    });
}

bool Contour::PrintDataList() {
    // Every data row of the grid; the list ends at the first row without a strike angle.
    std::vector<DataListPrinting::Row> rows;
    if (FormMain) {
        Tabula& grid = FormMain->grdData();
        for (int r = grid.FixedRows(); r < grid.Rows(); ++r)
            rows.push_back({grid.TextMatrix(r, 1), grid.TextMatrix(r, 2), grid.TextMatrix(r, 3),
                            grid.TextMatrix(r, 4)});
    }
    const DataListLayout::Layout layout =
        DataListLayout::Layout::Of(BMMain::PrintColumns, BMMain::PrintRows);
    return PrintOnPrinter([&](DrawingSurface& printer) {
        return DataListPrinting::Print(
            printer,
            [&](bool newPage) { return DiagramPage::PrepareDiagramPrinter(printer, newPage); },
            rows, layout);
    });
}
