#include "core/import_file.h"

#include "core/delimited_text.h"
#include "core/text_decoding.h"
#include "core/xlsx_reader.h"

#include <QFile>
#include <QFileInfo>

#include <new>

namespace ImportFile {

namespace {

QString TooLarge() {
    return QStringLiteral("ﾌｧｲﾙが大きすぎて読み込めません。");
}

} // namespace

LoadResult FromBytes(const QByteArray& bytes) {
    if (bytes.size() > ImportTable::kMaxText / 2)
        return {std::nullopt, TooLarge()};
    if (bytes.startsWith("\xD0\xCF\x11\xE0"))
        return {std::nullopt, QStringLiteral("Excel 97-2003 形式のﾌﾞｯｸ（.xls）は読めません。\r\n"
                                             "Excel ﾌﾞｯｸ（.xlsx）か CSV で保存してください。")};
    Source source;
    if (Xlsx::LooksLikeZip(bytes)) {
        Xlsx::ReadResult read = Xlsx::Read(bytes);
        if (!read.workbook)
            return {std::nullopt, read.error};
        source.sheetNames = read.workbook->sheetNames;
        source.tables = std::move(read.workbook->sheets);
        return {std::move(source), QString()};
    }
    TextDecoding::Decoded decoded = TextDecoding::Decode(bytes);
    source.encoding = TextDecoding::EncodingName(decoded.encoding);
    const DelimitedText::Separator separator = DelimitedText::Detect(decoded.text);
    source.tables.push_back(DelimitedText::Parse(std::move(decoded.text), separator));
    return {std::move(source), QString()};
}

LoadResult Load(const QString& path) {
    const QString cannotRead = QStringLiteral("ﾌｧｲﾙを読み込めません。\r\n") + path;
    // Regular files only: a pipe or a device would be read without end.
    const QFileInfo info(path);
    if (!info.isFile())
        return {std::nullopt, cannotRead};
    if (info.size() > ImportTable::kMaxText / 2)
        return {std::nullopt, TooLarge() + QStringLiteral("\r\n") + path};
    try {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {std::nullopt, cannotRead};
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return {std::nullopt, cannotRead};
        return FromBytes(bytes);
    } catch (const std::bad_alloc&) {
        return {std::nullopt, TooLarge() + QStringLiteral("\r\n") + path};
    }
}

std::optional<int> SheetIndex(const Source& source, const QString& nameOrNumber) {
    for (int i = 0; i < source.sheetNames.size(); ++i)
        if (source.sheetNames[i].compare(nameOrNumber, Qt::CaseInsensitive) == 0)
            return i;
    bool ok = false;
    const int number = nameOrNumber.trimmed().toInt(&ok);
    if (ok && number >= 1 && number <= int(source.tables.size()))
        return number - 1;
    return std::nullopt;
}

} // namespace ImportFile
