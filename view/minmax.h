#pragma once
// The small helpers the window code uses for pixel and scale arithmetic.

#include <cstdint>

inline double maxdouble(double a, double b) {
    return a > b ? a : b;
}
inline double mindouble(double a, double b) {
    return a < b ? a : b;
}
inline std::int32_t max(std::int32_t a, std::int32_t b) {
    return a > b ? a : b;
}
inline std::int32_t min(std::int32_t a, std::int32_t b) {
    return a < b ? a : b;
}
