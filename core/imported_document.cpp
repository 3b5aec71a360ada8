#include "core/imported_document.h"

#include "core/import_columns.h"
#include "core/import_file.h"
#include "core/measurement_import.h"

#include <QFileInfo>

namespace ImportedDocument {

namespace {

constexpr size_t kNewDocumentRows = 100;

// A new document holding `rows`, with at least as many rows as a new document has.
Document WithRows(std::vector<Document::Row> rows) {
    Document d = NewDocument();
    if (rows.size() < kNewDocumentRows)
        rows.resize(kNewDocumentRows);
    d.rows = std::move(rows);
    return d;
}

} // namespace

Document NewDocument() {
    Document d;
    d.roseTitle = QStringLiteral("ローズダイアグラム");
    d.contourTitle = QStringLiteral("（シュミットネット下半球投影）\r\n");
    d.plotTitle = QStringLiteral("分布図");
    d.rows.resize(kNewDocumentRows);
    return d;
}

Result Read(const QString& path, const Options& options) {
    Result result;
    const QString name = QFileInfo(path).fileName();
    ImportFile::LoadResult loaded = ImportFile::Load(path);
    if (!loaded.source) {
        result.messages << loaded.error;
        return result;
    }
    const ImportFile::Source& source = *loaded.source;
    int sheet = 0;
    if (!options.sheet.isEmpty()) {
        const auto index = ImportFile::SheetIndex(source, options.sheet);
        if (!index) {
            result.messages << QStringLiteral("ｼｰﾄ「%1」がありません。（%2）\r\nｼｰﾄ: %3")
                                   .arg(options.sheet, name,
                                        source.sheetNames.isEmpty()
                                            ? QStringLiteral("1")
                                            : source.sheetNames.join(QStringLiteral(", ")));
            return result;
        }
        sheet = *index;
    }
    const ImportTable& table = source.tables[size_t(sheet)];
    const ImportColumns::Mapping mapping = ImportColumns::Detect(table, options.notation);
    MeasurementImport::Outcome outcome = MeasurementImport::Read(table, mapping);
    for (const auto& refused : outcome.refused)
        result.messages << name + u' ' + MeasurementImport::RefusalLine(table, mapping, refused);
    if (!outcome.refused.empty() && !options.skipBadRows) {
        result.messages << QStringLiteral("取り込めない行が %1 行あるため、何も書き出していません。"
                                          "\r\n（--skip-bad-rows で読める行だけを取り込みます）")
                               .arg(outcome.refused.size());
        return result;
    }
    if (outcome.rows.empty()) {
        result.messages << QStringLiteral("取り込める測定値がありません。（%1）").arg(name);
        return result;
    }
    if (!outcome.refused.empty())
        result.messages
            << QStringLiteral("取り込めない %1 行を読み飛ばしました。").arg(outcome.refused.size());
    result.document = WithRows(std::move(outcome.rows));
    return result;
}

} // namespace ImportedDocument
