// Fuzz target: any bytes as the settings file. The program's keys are looked up, one is set, and
// the file then gives the new value for it and the old values for every other key; setting the
// same value again changes nothing.
#include "core/profile_text.h"

#include <QStringList>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

using Key = std::pair<const char*, const char*>;
const std::array<Key, 7> kKeys = {{{"解像度", "走査線数"},
                                   {"解像度", "分割角度数"},
                                   {"ｸﾞﾘｯﾄﾞ", "投影図"},
                                   {"ｸﾞﾘｯﾄﾞ", "ｺﾝﾀｰ図"},
                                   {"Plot", "Left"},
                                   {"plot", "PictureTop"},
                                   {"RankSet", "Status"}}};

void check(bool holds) {
    if (!holds)
        std::abort();
}

QString lookUp(const QByteArray& file, const Key& key) {
    return ProfileText::Lookup(file, QString::fromUtf8(key.first), QString::fromUtf8(key.second),
                               QStringLiteral("-"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList before;
    for (const Key& key : kKeys)
        before << lookUp(file, key);

    const size_t chosen = size % kKeys.size();
    const QString value = QString::number(size);
    const QByteArray written =
        ProfileText::WithValue(file, QString::fromUtf8(kKeys[chosen].first),
                               QString::fromUtf8(kKeys[chosen].second), value);
    for (size_t i = 0; i < kKeys.size(); ++i)
        check(lookUp(written, kKeys[i]) == (i == chosen ? value : before[static_cast<int>(i)]));
    check(ProfileText::WithValue(written, QString::fromUtf8(kKeys[chosen].first),
                                 QString::fromUtf8(kKeys[chosen].second), value) == written);
    return 0;
}
