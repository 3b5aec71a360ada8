// The program's version: 1.1.0, number 10100, written 1.01.00 in data-file headers.
#pragma once

#include <QString>

namespace ProgramVersion {

constexpr int kMajor = 1;
constexpr int kMinor = 1;
constexpr int kRevision = 0;
// major × 10000 + minor × 100 + revision.
constexpr int kNumber = kMajor * 10000 + kMinor * 100 + kRevision;

// "1.1.0", as the splash and version windows show it.
inline QString Text() {
    return QStringLiteral("%1.%2.%3").arg(kMajor).arg(kMinor).arg(kRevision);
}

} // namespace ProgramVersion
