// The start-up pages and the title pieces.
#include "font.h"
#include "palette.h"
#include "sheets.h"

Canvas draw_vrusk() {
    Canvas c(320, 240, pal::BLACK);
    draw_text(c, 160 - text_width("LANTERN FISH", 3) / 2, 110, "LANTERN FISH", pal::YEL, 3);
    return c;
}

Canvas draw_present() {
    Canvas c(320, 200, pal::SEA_D);
    draw_text(c, 160 - text_width("ASCELON", 5) / 2, 40, "ASCELON", pal::YEL, 5);
    return c;
}

Canvas draw_titre() {
    Canvas c(240, 64);
    draw_text(c, 120 - text_width("ASCELON", 5) / 2, 14, "ASCELON", pal::YEL, 5);
    outline(c, 0, 0, 240, 64, pal::INK);
    return c;
}

Canvas draw_podium() {
    Canvas c(32, 32);
    fill_rect(c, 4, 16, 24, 14, pal::YEL);
    outline(c, 0, 0, 32, 32, pal::INK);
    return c;
}

Canvas draw_presentation() {
    Canvas c(240, 160, pal::SEA_D);
    draw_text(c, 120 - text_width("ASCELON", 4) / 2, 60, "ASCELON", pal::YEL, 4);
    return c;
}
