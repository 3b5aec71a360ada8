// Fuzz target: any bytes as an Excel workbook. It is read whole or refused with a message.
#include "import_common.h"

#include "core/xlsx_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Xlsx::ReadResult read = Xlsx::Read(bytes);
    ImportFuzz::Check(read.workbook.has_value() == read.error.isEmpty());
    if (!read.workbook)
        return 0;
    ImportFuzz::Check(read.workbook->sheetNames.size() == qsizetype(read.workbook->sheets.size()));
    for (const ImportTable& table : read.workbook->sheets)
        ImportFuzz::CheckTable(table);
    return 0;
}
