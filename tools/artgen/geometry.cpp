#include "geometry.h"

#include <algorithm>
#include <cmath>

static const double PI = 3.14159265358979323846;

double body_x(double t) { return 64.0 - 64.0 * std::cos(2.0 * PI * t / 128.0); }

double body_angle(double x) {
    double c = std::clamp(1.0 - x / 64.0, -1.0, 1.0);
    return std::acos(c) * 128.0 / (2.0 * PI);
}

// Where the game puts a door view of each angle: floor(body_x(a - 4)),
// never left of the body.
const int OFFSETX_PORTES[68] = {
    0,   0,   0,   0,   0,   0,   0,   0,   1,   1,   2,   3,   4,   6,   7,   9,   10,
    12,  14,  16,  18,  21,  23,  25,  28,  31,  33,  36,  39,  42,  45,  48,  51,  54,
    57,  60,  64,  67,  70,  73,  76,  79,  82,  85,  88,  91,  94,  96,  99,  102, 104,
    106, 109, 111, 113, 115, 117, 118, 120, 121, 123, 124, 125, 126, 126, 127, 127, 127};
