#include "player.h"

// TODO(shots): the creature's shot is not built yet.
void reset_fire() {}
void insert_fire() {}
void gere_fire() {}
