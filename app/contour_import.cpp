// Measurements brought in from files other programs wrote, and the data set written for them.
#include "app/contour.h"
#include "core/data_export.h"
#include "core/dialogs.h"
#include "core/import_preview.h"
#include "core/measurement_import.h"
#include "core/safe_save.h"
#include "core/vb.h"
#include "platform/desktop.h"
#include "tabula.h"
#include "windows/frm_main.h"

#include <QFileInfo>

namespace {

const QString kImportTitle = QStringLiteral("ﾃﾞｰﾀの取り込み");
const QString kExportTitle = QStringLiteral("ﾃﾞｰﾀの書き出し");

// Where the rows of the data set end: the first blank row, or the end of the grid.
size_t DataSetEnd(const std::vector<Document::Row>& rows) {
    for (size_t k = 0; k < rows.size(); ++k)
        if (Measurements::IsBlankRow({rows[k][0], rows[k][1], rows[k][2], rows[k][3]}))
            return k;
    return rows.size();
}

} // namespace

void Contour::ImportCommand() {
    FormMain->FinishCellEdit();
    FileDialogRequest request;
    request.title = kImportTitle;
    request.folder = DialogFolder();
    request.filter = QStringLiteral(
        "測定ﾃﾞｰﾀ(*.csv;*.tsv;*.txt;*.xlsx)|*.csv;*.tsv;*.txt;*.xlsx|すべてのﾌｧｲﾙ(*.*)|*.*|");
    request.fileMustExist = true;
    const std::optional<QString> path = dialogs_.openFile(request);
    if (!path || path->isEmpty())
        return;
    lastFolder_ = QFileInfo(*path).absolutePath();
    if (vb::InStrText(*path, QStringLiteral(".QST")) != 0) {
        Notify(dialogs_, QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ（.QST）は「開く」で開いてください。\r\n") + *path,
               MsgIcon::Exclamation, kImportTitle);
        return;
    }
    ImportFile::LoadResult loaded;
    {
        Hourglass hourglass;
        loaded = ImportFile::Load(*path);
    }
    if (!loaded.source) {
        Notify(dialogs_, loaded.error, MsgIcon::Exclamation, kImportTitle);
        return;
    }
    const ImportFile::Source& source = *loaded.source;
    const ImportPreviewRequest preview{QFileInfo(*path).fileName(), &source, 0,
                                       ImportColumns::Detect(source.tables[0])};
    ImportChoice choice;
    if (!dialogs_.importPreview(preview, choice) || choice.sheet < 0 ||
        choice.sheet >= int(source.tables.size()))
        return;

    MeasurementImport::Outcome outcome;
    if (choice.read) {
        outcome = std::move(*choice.read);
    } else {
        Hourglass hourglass;
        outcome = MeasurementImport::Read(source.tables[size_t(choice.sheet)], choice.mapping);
    }
    if (outcome.rows.empty()) {
        Notify(dialogs_, QStringLiteral("取り込める測定値がありません。\r\n") + *path,
               MsgIcon::Exclamation, kImportTitle);
        return;
    }
    std::vector<Document::Row> rows;
    if (choice.append) {
        // Right after the last measurement, so the new rows join the data set; whatever stands
        // below the first empty row moves down and is kept.
        rows = CurrentDocument().rows;
        const auto end = rows.begin() + ptrdiff_t(DataSetEnd(rows));
        rows.insert(end, std::make_move_iterator(outcome.rows.begin()),
                    std::make_move_iterator(outcome.rows.end()));
    } else {
        rows = std::move(outcome.rows);
    }
    {
        // One undo takes the whole import back.
        const TabulaUndoStep step(FormMain->grdData());
        FillDataGrid(rows);
    }
    FormMain->setChange(true);
    RedrawLoadedData();
}

void Contour::ExportDataCommand() {
    FormMain->FinishCellEdit();
    const std::vector<Measurements::Measurement> data =
        Measurements::FromRows(CurrentDocument().rows);
    if (data.empty()) {
        Notify(dialogs_, QStringLiteral("書き出すﾃﾞｰﾀがありません。"), MsgIcon::Exclamation,
               kExportTitle);
        return;
    }
    FileDialogRequest request;
    request.title = kExportTitle;
    request.folder = DialogFolder();
    request.initialName = QFileInfo(fileName_).completeBaseName() + QStringLiteral(".csv");
    request.filter = QStringLiteral("CSV ﾌｧｲﾙ(*.csv)|*.csv|");
    request.defaultExtension = QStringLiteral("csv");
    request.overwritePrompt = true;
    const std::optional<QString> path = dialogs_.saveFile(request);
    if (!path || path->isEmpty())
        return;
    lastFolder_ = QFileInfo(*path).absolutePath();
    if (ReplaceFileContents(*path, DataExport::Csv(data)) != SaveOutcome::Saved)
        Notify(dialogs_, QStringLiteral("ﾃﾞｰﾀの書き出しに失敗しました。\r\n") + *path,
               MsgIcon::Exclamation, kExportTitle);
}
