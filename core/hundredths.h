// A contour level's value is kept to hundredths: Int(v × 100 + 0.5) ÷ 100 with the product in
// single precision, so 2.345 becomes 2.35 and 1.255 becomes 1.26.
#pragma once

#include <cmath>

inline float SingleHundredths(float v) {
    const float hundredfold = v * 100.0f;
    return static_cast<float>(std::floor(double(hundredfold) + 0.5) / 100.0);
}
