#include "core/rank_colors.h"

#include "core/vb.h"

#include <algorithm>

namespace {

// A colour component: nearest integer (halves to even), at most 255.
uint32_t Component(float v) {
    return uint32_t(std::clamp(vb::RoundHalfEven(v), 0.0, 255.0));
}

uint32_t Color(uint32_t red, uint32_t green, uint32_t blue) {
    return red | (green << 8) | (blue << 16);
}

} // namespace

std::vector<uint32_t> BuildRankColors(int largest) {
    const int m = largest;
    if (m < 1)
        return {};
    std::vector<uint32_t> colors(size_t(m), 0);
    const auto rank = [&](int k) -> uint32_t& { return colors[size_t(k - 1)]; };
    rank(m) = Color(128, 64, 64);
    rank(1) = Color(64, 128, 64);
    if (m == 3)
        rank(2) = Color(192, 192, 64);
    if (m < 4)
        return colors;

    rank(2) = Color(64, 192, 64);
    rank(m - 1) = Color(192, 64, 64);
    // Single precision, as the established colours were computed; later passes overwrite
    // earlier ones where the two ends meet.
    const float step = 384.0f / float(m - 1);
    const int n = int(vb::RoundHalfEven(float(m - 1) / 2.0f));
    for (int i = 1; i <= n; ++i) {
        const float v = float(i) * step;
        if (v > 64) {
            rank(i + 1) = Color(Component(v), 192, 64);
            rank(m - i) = Color(192, Component(v), 64);
        } else {
            rank(i + 1) = Color(64, Component(v + 128), 64);
            rank(m - i) = Color(Component(v + 128), 64, 64);
        }
    }
    return colors;
}
