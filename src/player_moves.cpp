#include "player.h"

// TODO(creature): the moves against the map are not built yet.
const uint8_t tab_edges[32] = {};

void gere_col_player() {}
