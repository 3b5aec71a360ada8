#include "core/xlsx_reader.h"

#include <QXmlStreamReader>
#include <zip.h>

#include <cmath>
#include <memory>

namespace Xlsx {

namespace {

// A part larger than this is not read: a workbook of a million measurements stays far below,
// a zip bomb does not.
constexpr zip_uint64_t kMaxPartBytes = 512ull << 20;
// The sheet limits of the format.
constexpr int kMaxRow = 1048576;
constexpr int kMaxColumn = 16384;

struct Failure {
    QString message;
};

const QString kNotWorkbook = QStringLiteral("Excel ﾌﾞｯｸ（.xlsx）として読めません。");

Failure Broken(const QString& part) {
    return {QStringLiteral("ﾌﾞｯｸの内容が壊れています。（%1）").arg(part)};
}

Failure TooLarge(const QString& part) {
    return {QStringLiteral("ﾌﾞｯｸが大きすぎて読めません。（%1）").arg(part)};
}

class Archive {
  public:
    explicit Archive(const QByteArray& bytes) {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source =
            zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
        if (source) {
            zip_ = zip_open_from_source(source, ZIP_RDONLY, &error);
            if (!zip_)
                zip_source_free(source);
        }
        zip_error_fini(&error);
    }
    ~Archive() {
        if (zip_)
            zip_discard(zip_);
    }
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    bool isOpen() const { return zip_ != nullptr; }
    bool contains(const QString& name) const {
        return zip_name_locate(zip_, name.toUtf8().constData(), 0) >= 0;
    }

    // The part's bytes; a failure when it is missing, too large or damaged.
    std::optional<QByteArray> read(const QString& name, Failure& failure) const {
        const zip_int64_t index = zip_name_locate(zip_, name.toUtf8().constData(), 0);
        if (index < 0) {
            failure = Broken(name);
            return std::nullopt;
        }
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(zip_, zip_uint64_t(index), 0, &stat) != 0 ||
            !(stat.valid & ZIP_STAT_SIZE)) {
            failure = Broken(name);
            return std::nullopt;
        }
        if (stat.size > kMaxPartBytes) {
            failure = TooLarge(name);
            return std::nullopt;
        }
        std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(
            zip_fopen_index(zip_, zip_uint64_t(index), 0), zip_fclose);
        if (!file) {
            failure = Broken(name);
            return std::nullopt;
        }
        QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
        zip_uint64_t done = 0;
        while (done < stat.size) {
            const zip_int64_t got = zip_fread(file.get(), bytes.data() + done, stat.size - done);
            if (got <= 0) {
                failure = Broken(name);
                return std::nullopt;
            }
            done += zip_uint64_t(got);
        }
        // The stored size must be the whole of it (a damaged entry may hold more).
        char extra;
        if (zip_fread(file.get(), &extra, 1) != 0) {
            failure = Broken(name);
            return std::nullopt;
        }
        return bytes;
    }

  private:
    zip_t* zip_ = nullptr;
};

// A relationship's target as a part name: relative to the folder of the part it belongs to,
// or absolute from the archive's root.
QString PartName(const QString& folder, QString target) {
    if (target.startsWith(u'/'))
        target.remove(0, 1);
    else
        target.prepend(folder);
    QStringList parts;
    for (const QString& p : target.split(u'/')) {
        if (p == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (!p.isEmpty() && p != u".") {
            parts << p;
        }
    }
    return parts.join(u'/');
}

QString FolderOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return slash < 0 ? QString() : part.left(slash + 1);
}

struct Relationship {
    QString id;
    QString type; // its last word: "officeDocument", "worksheet", "sharedStrings", ...
    QString part;
};

// The relationships of a part (its "_rels/<name>.rels"); none when it has no such file.
std::optional<std::vector<Relationship>> Relationships(const Archive& zip, const QString& part,
                                                       Failure& failure) {
    const QString folder = FolderOf(part);
    const QString name =
        folder + QStringLiteral("_rels/") + part.mid(folder.size()) + QStringLiteral(".rels");
    std::vector<Relationship> list;
    if (!zip.contains(name))
        return list;
    const auto bytes = zip.read(name, failure);
    if (!bytes)
        return std::nullopt;
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship")
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (a.value(QLatin1StringView("TargetMode")) == u"External")
            continue;
        const QString type = a.value(QLatin1StringView("Type")).toString();
        list.push_back({a.value(QLatin1StringView("Id")).toString(),
                        type.mid(type.lastIndexOf(u'/') + 1),
                        PartName(folder, a.value(QLatin1StringView("Target")).toString())});
    }
    if (xml.hasError()) {
        failure = Broken(name);
        return std::nullopt;
    }
    return list;
}

// The text of an element holding <t> runs (a shared or inline string), phonetic guides
// (<rPh>) left out. The reader stands on the element's start and ends on its end.
QString RunText(QXmlStreamReader& xml) {
    QString text;
    int phonetic = 0;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0) {
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            if (xml.name() == u"rPh")
                --phonetic;
            break;
        default:
            break;
        }
    }
    return text;
}

std::optional<std::vector<QString>> SharedStrings(const Archive& zip, const QString& part,
                                                  Failure& failure) {
    std::vector<QString> strings;
    if (part.isEmpty())
        return strings;
    const auto bytes = zip.read(part, failure);
    if (!bytes)
        return std::nullopt;
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            strings.push_back(RunText(xml));
    }
    if (xml.hasError()) {
        failure = Broken(part);
        return std::nullopt;
    }
    return strings;
}

// A number as a spreadsheet shows it in a general cell: whole numbers as digits, others with
// up to 15 significant digits (so 44.999999999999993 is 45).
QString NumberText(QStringView stored) {
    bool ok = false;
    const double v = stored.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return stored.trimmed().toString();
    return QString::number(v, 'g', 15);
}

// "BC12": column 54 (from 0) and row 12; nothing for a malformed reference.
bool ParseReference(QStringView ref, int& column, int& row) {
    qsizetype i = 0;
    int c = 0;
    while (i < ref.size() && ref[i] >= u'A' && ref[i] <= u'Z' && c <= kMaxColumn)
        c = c * 26 + (ref[i++].unicode() - u'A' + 1);
    if (i == 0 || c > kMaxColumn)
        return false;
    bool ok = false;
    const int r = ref.sliced(i).toInt(&ok);
    if (!ok || r < 1 || r > kMaxRow)
        return false;
    column = c - 1;
    row = r;
    return true;
}

std::optional<ImportTable> Sheet(const Archive& zip, const QString& part,
                                 const std::vector<QString>& shared, Failure& failure) {
    const auto bytes = zip.read(part, failure);
    if (!bytes)
        return std::nullopt;
    ImportTable table;
    QXmlStreamReader xml(*bytes);
    int row = 0;
    int column = -1;
    bool inData = false; // rows and cells elsewhere (extensions) are not the sheet's
    bool inRow = false;
    bool bad = false;
    while (!xml.atEnd() && !bad) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (inRow && xml.name() == u"row") {
                table.dropRowIfBlank();
                inRow = false;
            } else if (xml.name() == u"sheetData") {
                inData = false;
            }
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"sheetData") {
            inData = true;
        } else if (!inData) {
            continue;
        } else if (xml.name() == u"row") {
            bool ok = true;
            const QXmlStreamAttributes a = xml.attributes();
            const QStringView r = a.value(QLatin1StringView("r"));
            const int number = r.isEmpty() ? row + 1 : r.toInt(&ok);
            if (!ok || number <= row || number > kMaxRow) {
                bad = true;
                break;
            }
            // A row inside a row: the one left open ends here.
            if (inRow)
                table.dropRowIfBlank();
            row = number;
            column = -1;
            inRow = true;
            table.startRow(row);
        } else if (xml.name() == u"c") {
            if (!inRow) {
                bad = true;
                break;
            }
            const QXmlStreamAttributes a = xml.attributes();
            const QStringView ref = a.value(QLatin1StringView("r"));
            int at = column + 1, refRow = row;
            if (!ref.isEmpty() && (!ParseReference(ref, at, refRow) || refRow != row)) {
                bad = true;
                break;
            }
            if (at <= column || at >= kMaxColumn) {
                bad = true;
                break;
            }
            column = at;
            const QString type = a.value(QLatin1StringView("t")).toString();
            QString value;
            bool inlineText = false;
            int depth = 1;
            while (depth > 0 && !xml.atEnd()) {
                const auto t = xml.readNext();
                if (t == QXmlStreamReader::EndElement) {
                    --depth;
                } else if (t == QXmlStreamReader::StartElement) {
                    if (xml.name() == u"v") {
                        value = xml.readElementText();
                    } else if (xml.name() == u"is") {
                        value = RunText(xml);
                        inlineText = true;
                    } else {
                        xml.skipCurrentElement();
                    }
                }
            }
            QString text;
            if (type == u"s") {
                bool ok = false;
                const qlonglong index = value.trimmed().toLongLong(&ok);
                if (!ok || index < 0 || index >= qlonglong(shared.size())) {
                    bad = true;
                    break;
                }
                text = shared[size_t(index)];
            } else if (inlineText || type == u"str" || type == u"inlineStr" || type == u"e" ||
                       type == u"d") {
                text = value;
            } else if (type == u"b") {
                text = value.trimmed() == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
            } else if (!value.isEmpty()) {
                text = NumberText(value);
            }
            // Each shared string is copied into every cell that shows it.
            if (!table.addCellAt(column, text)) {
                failure = TooLarge(part);
                return std::nullopt;
            }
        }
    }
    if (bad || xml.hasError()) {
        failure = Broken(part);
        return std::nullopt;
    }
    return table;
}

std::optional<Workbook> ReadWorkbook(const Archive& zip, Failure& failure) {
    const auto rootRelations = Relationships(zip, QString(), failure);
    if (!rootRelations)
        return std::nullopt;
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    for (const Relationship& r : *rootRelations)
        if (r.type == u"officeDocument")
            workbookPart = r.part;
    if (!zip.contains(workbookPart)) {
        failure = {kNotWorkbook};
        return std::nullopt;
    }
    const auto relations = Relationships(zip, workbookPart, failure);
    if (!relations)
        return std::nullopt;
    QString sharedPart;
    for (const Relationship& r : *relations)
        if (r.type == u"sharedStrings")
            sharedPart = r.part;
    const auto shared = SharedStrings(zip, sharedPart, failure);
    if (!shared)
        return std::nullopt;

    const auto bytes = zip.read(workbookPart, failure);
    if (!bytes)
        return std::nullopt;
    Workbook workbook;
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"sheet")
            continue;
        QString id;
        for (const QXmlStreamAttribute& a : xml.attributes())
            if (a.name() == u"id" && !a.namespaceUri().isEmpty())
                id = a.value().toString();
        const QString name = xml.attributes().value(QLatin1StringView("name")).toString();
        for (const Relationship& r : *relations) {
            if (r.id != id || r.type != u"worksheet")
                continue;
            auto table = Sheet(zip, r.part, *shared, failure);
            if (!table)
                return std::nullopt;
            workbook.sheetNames << name;
            workbook.sheets.push_back(std::move(*table));
        }
    }
    if (xml.hasError()) {
        failure = Broken(workbookPart);
        return std::nullopt;
    }
    if (workbook.sheets.empty()) {
        failure = {QStringLiteral("ﾌﾞｯｸにﾜｰｸｼｰﾄがありません。")};
        return std::nullopt;
    }
    return workbook;
}

} // namespace

bool LooksLikeZip(const QByteArray& bytes) {
    return bytes.startsWith("PK\x03\x04");
}

ReadResult Read(const QByteArray& bytes) {
    const Archive zip(bytes);
    if (!zip.isOpen())
        return {std::nullopt, kNotWorkbook};
    Failure failure;
    std::optional<Workbook> workbook = ReadWorkbook(zip, failure);
    if (!workbook)
        return {std::nullopt, failure.message.isEmpty() ? kNotWorkbook : failure.message};
    return {std::move(workbook), QString()};
}

} // namespace Xlsx
