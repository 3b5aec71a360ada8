#include "core/cp932.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <iterator>

namespace cp932 {

namespace {

// One iconv conversion with a replacement for every unit it cannot convert.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; where iconv stops, `replace`(unit, bytes left, consumed) gives what to
    // append for the unit there and how many bytes it takes, and the conversion goes on.
    template <typename Replace> QByteArray run(const QByteArray& in, Replace replace) {
        QByteArray out;
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            return out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // a fresh start for every text
        out.resize(in.size() * 4 + 16);
        char* src = const_cast<char*>(in.constData());
        size_t srcLeft = in.size();
        char* dst = out.data();
        size_t dstLeft = out.size();
        while (srcLeft > 0) {
            if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG) {
                const qsizetype used = dst - out.data();
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = out.size() - used;
                continue;
            }
            // EILSEQ or EINVAL: replace the offending unit.
            size_t n = 0;
            const QByteArray replacement = replace(src, srcLeft, n);
            src += n;
            srcLeft -= n;
            while (dstLeft < static_cast<size_t>(replacement.size()) + 8) {
                const qsizetype used = dst - out.data();
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = out.size() - used;
            }
            for (char c : replacement) {
                *dst++ = c;
                --dstLeft;
            }
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(dst - out.data());
        return out;
    }

  private:
    iconv_t cd_;
};

// The single bytes that Windows maps to code points of their own (0x80 to U+0080, 0xA0 and
// 0xFD to 0xFF to private-use U+F8F0 to U+F8F3) and iconv refuses: kept so that they come
// back as the same bytes.
constexpr unsigned char kWindowsBytes[] = {0x80, 0xA0, 0xFD, 0xFE, 0xFF};
constexpr char16_t kWindowsCodePoints[] = {0x0080, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3};

} // namespace

namespace {

// iconv over UTF-16 units, with "?" (or the Windows byte) for what CP932 cannot hold.
QByteArray EncodeUtf16(const char16_t* units, qsizetype count) {
    // Opening a conversion costs more than most texts take to convert: one per thread.
    thread_local Converter c("CP932", "UTF-16LE");
    const QByteArray utf16 =
        QByteArray::fromRawData(reinterpret_cast<const char*>(units), count * 2);
    return c.run(utf16, [](const char* at, size_t left, size_t& consumed) {
        consumed = std::min<size_t>(2, left);
        if (left < 2)
            return QByteArray("?");
        const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(at[1]) << 8 |
                                                    static_cast<unsigned char>(at[0]));
        // A surrogate pair is one character and one "?"; a lone half takes only itself.
        if (unit >= 0xD800 && unit <= 0xDBFF && left >= 4) {
            const auto next = static_cast<char16_t>(static_cast<unsigned char>(at[3]) << 8 |
                                                    static_cast<unsigned char>(at[2]));
            if (next >= 0xDC00 && next <= 0xDFFF)
                consumed = 4;
        }
        for (size_t i = 0; i < std::size(kWindowsCodePoints); ++i)
            if (unit == kWindowsCodePoints[i])
                return QByteArray(1, static_cast<char>(kWindowsBytes[i]));
        return QByteArray("?");
    });
}

} // namespace

QByteArray encode(const QString& text) {
    // ASCII is the same in CP932 and makes up most of a data file: copied here, and only the
    // runs of other characters go through iconv (CP932 maps character by character, so the
    // runs convert as the whole text would).
    const auto* units = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    QByteArray out;
    out.reserve(n);
    for (qsizetype i = 0; i < n;) {
        if (units[i] < 0x80) {
            out.append(char(units[i++]));
            continue;
        }
        const qsizetype start = i;
        while (i < n && units[i] >= 0x80)
            ++i;
        out.append(EncodeUtf16(units + start, i - start));
    }
    return out;
}

namespace {

// iconv over the whole text, with the Windows bytes and a replacement for what it refuses.
// `replaced` tells whether anything was refused.
QByteArray DecodeToUtf16(const QByteArray& bytes, bool& replaced) {
    thread_local Converter c("UTF-16LE", "CP932");
    return c.run(bytes, [&replaced](const char* at, size_t, size_t& consumed) {
        replaced = true;
        consumed = 1;
        char16_t unit = 0xFFFD;
        for (size_t i = 0; i < std::size(kWindowsBytes); ++i)
            if (static_cast<unsigned char>(at[0]) == kWindowsBytes[i])
                unit = kWindowsCodePoints[i];
        return QByteArray(reinterpret_cast<const char*>(&unit), 2);
    });
}

QString FromUtf16(const QByteArray& utf16) {
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

bool LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

} // namespace

QString decode(const QByteArray& bytes) {
    // Most of a data file is ASCII: it is widened here, and only the runs of other characters
    // (with their trail bytes) go through iconv. No byte becomes more than one UTF-16 unit, so
    // the result never outgrows the input. Where iconv refuses a byte it may pair the bytes
    // after it otherwise than the runs do, so such a text is converted whole instead.
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    QString out(n, Qt::Uninitialized);
    auto* to = reinterpret_cast<char16_t*>(out.data());
    bool replaced = false;
    for (qsizetype i = 0; i < n;) {
        if (in[i] < 0x80) {
            *to++ = in[i++];
            continue;
        }
        const qsizetype start = i;
        while (i < n && in[i] >= 0x80)
            i += LeadByte(in[i]) && i + 1 < n ? 2 : 1;
        const QByteArray utf16 =
            DecodeToUtf16(QByteArray::fromRawData(bytes.constData() + start, i - start), replaced);
        if (replaced)
            return FromUtf16(DecodeToUtf16(bytes, replaced));
        std::memcpy(to, utf16.constData(), size_t(utf16.size()));
        to += utf16.size() / 2;
    }
    out.truncate(to - reinterpret_cast<const char16_t*>(out.constData()));
    return out;
}

int byteLength(const QString& text) {
    return static_cast<int>(encode(text).size());
}

} // namespace cp932
