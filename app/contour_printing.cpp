// Diagrams on paper: one page per diagram through the shared page frame.
#include "app/contour.h"
#include "core/dialogs.h"
#include "diagrams/drawing_surface.h"

namespace {

const QString kPrintTitle = QStringLiteral("QUILL Stereo");

} // namespace

bool Contour::PrintDiagram(const QString& title, const DiagramPage::DiagramDrawing& draw) {
    const std::unique_ptr<DrawingSurface> printer = printerFactory_ ? printerFactory_() : nullptr;
    if (!printer) {
        Notify(dialogs_,
               QStringLiteral("ﾌﾟﾘﾝﾀが見つかりません。\r\nﾌﾟﾘﾝﾀの設定を確認してください。"),
               MsgIcon::Exclamation, kPrintTitle);
        return false;
    }
    if (!DiagramPage::PrintDiagramPage(*printer, title, draw)) {
        Notify(dialogs_,
               QStringLiteral("印刷できませんでした。\r\nﾌﾟﾘﾝﾀの状態を確認してください。"),
               MsgIcon::Exclamation, kPrintTitle);
        return false;
    }
    return true;
}
