// The turning cylinder: the view, the camera and the tower body.
#pragma once

#include <cstdint>

extern uint16_t tower_rotation;  // 0..127: view angle of map x 0
extern int16_t tower_offset_y;   // vertical scroll in pixels; 64 = the foot
extern int16_t tower_offset_y2;  // the scroll the camera heads for
extern const int16_t tab_offset_x[128];

void init_tour(uint16_t lvl);
void calc_offset_tour();
void build_tour();
