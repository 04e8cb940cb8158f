#include "inters.h"

// TODO(tower world): the water is not built yet.
const int32_t SinTab1[24] = {};
int32_t iSin;

void aff_water() {}
