// Fuzz target: any bytes opened as a data file. A file that opens is written, and what is written
// opens again as the same document and is written again byte for byte.
#include "core/cp932.h"
#include "core/document_reader.h"
#include "core/document_writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// The file keeps singles to 7 digits, this program's version and a rose title always: compare
// everything else exactly.
Document comparable(Document d) {
    d.version = 0;
    d.roseTitle = d.roseTitle.value_or(QString());
    for (Document::Grade& g : d.grades)
        g.value = 0;
    for (auto* poles : {&d.contourPoles, &d.plotPoles}) {
        for (Document::Pole& p : *poles)
            p = {};
    }
    return d;
}

void check(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const DataFile::ReadResult first = DataFile::Read(bytes);
    check(first.document.has_value() != first.failure.has_value());
    if (!first.document) {
        check(!first.failure->message().isEmpty());
        return 0;
    }
    const QByteArray written = DataFile::Write(*first.document);
    const DataFile::ReadResult second = DataFile::Read(written);
    check(second.document.has_value());
    check(DataFile::Write(*second.document) == written);
    // Characters without a CP932 form are saved as "?"; everything else comes back as it was.
    if (!cp932::decode(bytes).contains(QChar(0xFFFD)))
        check(comparable(*second.document) == comparable(*first.document));
    return 0;
}
