// The tower seen from the side: a cylinder of radius 64 whose visible half
// spans view angles 0..64 (128 units per turn, 32 = facing us).
#pragma once

// Body x (0..128, from the body's left edge) of view angle t.
double body_x(double t);
// Inverse of body_x for x in 0..128.
double body_angle(double x);
// Left edge of a door view relative to the body, by view angle 0..67.
extern const int OFFSETX_PORTES[68];
