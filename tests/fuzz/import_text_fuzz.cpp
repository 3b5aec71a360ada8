// Fuzz target: any bytes as a CSV, TSV or text file to import measurements from.
#include "import_common.h"

#include "core/delimited_text.h"
#include "core/text_decoding.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = TextDecoding::Decode(bytes).text;
    ImportFuzz::CheckTable(DelimitedText::Parse(text, DelimitedText::Detect(text)));
    return 0;
}
