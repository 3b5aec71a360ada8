// Measurements of whole degrees grouped by what their pole depends on, so that a large data
// set converts and draws each distinct pole once (the density run counts it with its weight,
// the plot draws its ring once).
#pragma once

#include "core/bmpole.h"
#include "core/measurement.h"

#include <cstdint>
#include <vector>

namespace Measurements {

// The first letter of a letter cell in upper case and half-width, as the conversion reads it:
// ' ' for an empty cell, 0 when it is not a plain or full-width Latin letter or digit.
inline char16_t FirstLetter(const QString& text) {
    if (text.isEmpty())
        return u' ';
    char16_t c = text.front().unicode();
    if (c >= 0xFF01 && c <= 0xFF5E)
        c = char16_t(c - 0xFF01 + 0x21);
    if (c >= u'a' && c <= u'z')
        return char16_t(c - u'a' + u'A');
    return (c > u' ' && c < 0x7F) ? c : 0;
}

// Measurements of whole degrees 0..90 grouped by what their pole depends on: strike, dip and
// the two letter tests of the conversion.
class OrientationTally {
  public:
    OrientationTally() : counts_(size_t(kAngles * kAngles * 4), 0) {}

    // False when the measurement has to be counted on its own.
    bool Add(const Measurements::Measurement& m) {
        const char16_t direction = FirstLetter(m.direction);
        const char16_t side = FirstLetter(m.side);
        if (!direction || !side || m.strike < 0 || m.strike >= kAngles || m.dip < 0 ||
            m.dip >= kAngles)
            return false;
        const bool north = direction == u' ' || direction == u'N';
        const bool west = side == u'W';
        ++counts_[Key(m.strike, m.dip, north, west)];
        return true;
    }

    // Calls visit(strike, west, dip, north, count) for every group with a count.
    template <class Visit> void ForEachGroup(Visit visit) const {
        for (int strike = 0; strike < kAngles; ++strike)
            for (int dip = 0; dip < kAngles; ++dip)
                for (const bool north : {true, false})
                    for (const bool west : {false, true})
                        if (const int32_t n = counts_[Key(strike, dip, north, west)]; n > 0)
                            visit(strike, west, dip, north, n);
    }

    // Calls visit(pole, count) for every group with a count.
    template <class Visit> void ForEach(Visit visit) const {
        ForEachGroup([&](int strike, bool west, int dip, bool north, int32_t n) {
            visit(BMPole::PoleToNet(strike, west, dip, north), n);
        });
    }

  private:
    static constexpr int kAngles = 91;
    static size_t Key(int strike, int dip, bool north, bool west) {
        return size_t(((strike * kAngles + dip) * 2 + (north ? 1 : 0)) * 2 + (west ? 1 : 0));
    }
    std::vector<int32_t> counts_;
};

} // namespace Measurements
