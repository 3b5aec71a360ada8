#include "platform/cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

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

    // Converts `in`; on an invalid unit of `skip` bytes appends `replacement` and goes on.
    QByteArray run(const QByteArray& in, int skip, const QByteArray& replacement) {
        QByteArray out;
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            return out;
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
            // EILSEQ or EINVAL: replace the offending unit (a whole surrogate pair when it is one).
            size_t n = std::min<size_t>(skip, srcLeft);
            if (skip == 2 && srcLeft >= 4) {
                const auto hi = static_cast<unsigned char>(src[1]) << 8 |
                                static_cast<unsigned char>(src[0]);
                if (hi >= 0xD800 && hi <= 0xDBFF)
                    n = 4;
            }
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

} // namespace

QByteArray encode(const QString& text) {
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    Converter c("CP932", "UTF-16LE");
    return c.run(utf16, 2, QByteArray("?"));
}

QString decode(const QByteArray& bytes) {
    Converter c("UTF-16LE", "CP932");
    const QByteArray replacement("\xFD\xFF", 2);
    const QByteArray utf16 = c.run(bytes, 1, replacement);
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

int byteLength(const QString& text) { return static_cast<int>(encode(text).size()); }

} // namespace cp932
