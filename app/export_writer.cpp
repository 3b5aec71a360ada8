#include "app/export_writer.h"

#include "diagrams/file_surface.h"
#include "diagrams/net_drawing.h"
#include "platform/console_dialogs.h"

#include <QFile>
#include <QPageSize>

namespace BatchExport {

namespace {

// The printed page: A4 portrait, its raster at 300 dpi (PenFactor 1, so lines are as wide as
// on a 300 dpi printer). PDF and SVG keep the drawing as vectors on the same page.
constexpr double kDotsPerInch = 300;

QSize PagePixels() {
    const QSizeF mm = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    return {int(mm.width() / 25.4 * kDotsPerInch + 0.5),
            int(mm.height() / 25.4 * kDotsPerInch + 0.5)};
}

bool CannotWrite(ConsoleDialogs& console, const QString& path) {
    console.print(QStringLiteral("ﾌｧｲﾙを書き込めません。\r\n") + path);
    return false;
}

bool WritePage(const QString& path, bool grid, ConsoleDialogs& console) {
    FileSurface page(path, PagePixels(), kDotsPerInch);
    const float penFactor = NetDrawing::ScaleForNet(page, true);
    NetDrawing::DrawNetFrame(page, penFactor, grid);
    return page.EndDoc() || CannotWrite(console, path);
}

} // namespace

bool WriteExport(const Document& document, const Settings& settings, const QDir& folder,
                 const QString& format, ConsoleDialogs& console) {
    Q_UNUSED(document);
    const auto pagePath = [&](const char* name) {
        return folder.filePath(QString::fromLatin1(name) + u'.' + format);
    };
    return WritePage(pagePath("plot"), settings.gridVisible[0], console) &&
           WritePage(pagePath("rose"), false, console) &&
           WritePage(pagePath("contour"), settings.gridVisible[2], console) &&
           WritePage(pagePath("rank"), settings.gridVisible[1], console);
}

} // namespace BatchExport
