#include "core/document_reader.h"

#include "core/cp932.h"
#include "core/field_reader.h"
#include "core/title_codec.h"
#include "core/vb.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace DataFile {

QString ReadFailure::message() const {
    const QString cannotOpen = QStringLiteral("ﾌｧｲﾙを開くことができません。");
    QString reason;
    switch (kind) {
    case Kind::Newer:
        return QStringLiteral("開こうとしているﾌｧｲﾙは本ｿﾌﾄより新しいﾊﾞｰｼﾞｮﾝで作成されています。") +
               QStringLiteral("\r\n") + cannotOpen + QStringLiteral("\r\n\r\n") +
               QStringLiteral("ｼｽﾃﾑを最新のものに更新してください。");
    case Kind::NotANumber:
        reason = QStringLiteral("（%1行目が数値ではありません）").arg(line);
        break;
    case Kind::OutOfRange:
        reason = QStringLiteral("（%1行目の値が範囲外です）").arg(line);
        break;
    case Kind::Truncated:
        reason = QStringLiteral("（ﾌｧｲﾙが途中で終わっています）");
        break;
    case Kind::ExtraData:
        reason = QStringLiteral("（%1行目以降に余分なﾃﾞｰﾀがあります）").arg(line);
        break;
    case Kind::Unreadable:
        reason = QStringLiteral("（ﾌｧｲﾙを読み込めません）");
        break;
    case Kind::OutOfMemory:
        reason = QStringLiteral("（ﾒﾓﾘが足りません）");
        break;
    }
    return reason + QStringLiteral("\r\n") + cannotOpen;
}

QString ReadFailureTitle() {
    return QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ");
}

namespace {

const QString kVersionKey = QStringLiteral("QuillStereoVersion");
constexpr float kFarthestPosition = 10;
// Most data rows a block that ends early may claim: the rows it lacks are made empty, and a
// few bytes must not ask for a grid no memory holds.
constexpr qsizetype kMostRowsLeftOut = 1'000'000;

// Thrown inside the parser only; Read turns it into its result.
struct Refusal {
    ReadFailure failure;
};

class Parser {
  public:
    explicit Parser(const QString& text) : fields_(text) {}

    Document run() {
        Document d;
        const QString first = text();
        QString contourTitle = first;
        d.version = kHeaderlessVersion;
        if (first.startsWith(kVersionKey, Qt::CaseInsensitive)) {
            const QString v = first.mid(kVersionKey.size());
            d.version = vb::CLng(vb::Val(v.mid(0, 1)) * 10000 + vb::Val(v.mid(2, 2)) * 100 +
                                 vb::Val(v.mid(5, 2)));
            if (d.version > kProgramVersion)
                throw Refusal{{ReadFailure::Kind::Newer, fields_.line()}};
            // The header is never a title, whatever version it names.
            if (d.version > kHeaderlessVersion)
                d.roseTitle = BMMain::DecodeTitle(text());
            contourTitle = text();
        }
        d.contourTitle = BMMain::DecodeTitle(contourTitle);
        d.plotTitle = BMMain::DecodeTitle(text());

        const qsizetype rowCount = count();
        const qsizetype gradeCount = count();
        for (qsizetype i = 0; i < gradeCount; ++i) {
            Document::Grade g;
            g.value = single();
            g.foreColor = color();
            if (d.version > kLastVersionWithoutPattern)
                g.fillStyle = static_cast<int16_t>(whole(0, 7));
            else
                g.fillStyle = DefaultPattern(static_cast<int>(i + 1));
            d.grades.push_back(g);
        }
        poles(d.contourPoles);
        poles(d.plotPoles);

        // Each row takes at least one line: no claim can make the reader reserve more.
        d.rows.reserve(static_cast<size_t>(std::min(rowCount, fields_.linesLeft())));
        // The block is read up to the end of the file; the rows it lacks stay empty, as the
        // earlier versions left them in the grid.
        while (qsizetype(d.rows.size()) < rowCount && !fields_.onlyBlanksLeft()) {
            const std::optional<QStringView> line = fields_.plainText();
            d.rows.push_back(Document::Row::FromLine(line ? *line : QStringView(text())));
        }
        if (const auto extra = fields_.lineOfAnythingLeft())
            throw Refusal{{ReadFailure::Kind::ExtraData, *extra}};
        if (qsizetype(d.rows.size()) < rowCount) {
            if (rowCount > kMostRowsLeftOut)
                throw Refusal{{ReadFailure::Kind::Truncated, fields_.line()}};
            d.rows.resize(static_cast<size_t>(rowCount));
        }
        return d;
    }

  private:
    QString text() {
        auto field = fields_.text();
        if (!field)
            throw Refusal{{ReadFailure::Kind::Truncated, fields_.line()}};
        return std::move(*field);
    }

    double number() {
        const auto field = fields_.numberField();
        if (!field)
            throw Refusal{{ReadFailure::Kind::Truncated, fields_.line()}};
        // An empty field reads as 0, as the earlier versions read it.
        if (field->isEmpty())
            return 0;
        const auto value = vb::ParseNumber(*field);
        if (!value)
            throw Refusal{{ReadFailure::Kind::NotANumber, fields_.line()}};
        return *value;
    }

    double whole(double minimum, double maximum) {
        const double v = number();
        if (v != std::floor(v) || v < minimum || v > maximum)
            throw Refusal{{ReadFailure::Kind::OutOfRange, fields_.line()}};
        return v;
    }

    qsizetype count() {
        return static_cast<qsizetype>(whole(0, std::numeric_limits<int32_t>::max()));
    }

    float single() {
        const double v = number();
        if (!(std::fabs(v) <= std::numeric_limits<float>::max()))
            throw Refusal{{ReadFailure::Kind::OutOfRange, fields_.line()}};
        return static_cast<float>(v);
    }

    // A marker or label position in net radii: anything farther than ten is off every window.
    float position() {
        const float v = single();
        if (std::fabs(v) > kFarthestPosition)
            throw Refusal{{ReadFailure::Kind::OutOfRange, fields_.line()}};
        return v;
    }

    // A colour as the 32-bit integer it was printed as (negative for the high bit set).
    uint32_t color() {
        const double v =
            whole(std::numeric_limits<int32_t>::min(), std::numeric_limits<uint32_t>::max());
        return static_cast<uint32_t>(static_cast<int64_t>(v));
    }

    void poles(std::vector<Document::Pole>& into) {
        const qsizetype n = count();
        for (qsizetype i = 0; i < n; ++i) {
            Document::Pole p;
            p.x = position();
            p.y = position();
            p.labelLeft = position();
            p.labelTop = position();
            into.push_back(p);
        }
    }

    FieldReader fields_;
};

} // namespace

ReadResult Read(const QByteArray& bytes) {
    try {
        return {Parser(cp932::decode(bytes)).run(), std::nullopt};
    } catch (const Refusal& refusal) {
        return {std::nullopt, refusal.failure};
    } catch (const std::bad_alloc&) {
        return {std::nullopt, ReadFailure{ReadFailure::Kind::OutOfMemory}};
    }
}

} // namespace DataFile
