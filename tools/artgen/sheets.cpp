#include "sheets.h"

#include <cstring>
#include <map>
#include <string>

// Thin wrappers so numbered sheets fit the table's plain function pointers.
#define NUMBERED(fn, n) [] { return fn(n); }

const Sheet SHEETS[] = {
    {"backgnds.bmp", 64, 128, 8, true, draw_backgnds, "horizon strips, one per tower"},
    {"bastower.bmp", 128, 24, 8, false, draw_bastower, "base of the tower"},
    {"char8x8.bmp", 312, 8, 4, false, NUMBERED(draw_char8x8, 1), "font strip"},
    {"char8x8_2.bmp", 312, 8, 4, false, NUMBERED(draw_char8x8, 2), "font strip"},
    {"char8x8_3.bmp", 312, 8, 4, false, NUMBERED(draw_char8x8, 3), "font strip"},
    {"char8x8_4.bmp", 312, 8, 4, false, NUMBERED(draw_char8x8, 4), "font strip"},
    {"char8x8_5.bmp", 312, 8, 8, false, NUMBERED(draw_char8x8, 5), "font strip"},
    {"chiffres.bmp", 8, 88, 8, false, draw_chiffres, "score digits and life mark"},
    {"decors.bmp", 96, 8, 8, true, draw_decors, "step, column block, lift, shootable block"},
    {"etoiles.bmp", 32, 8, 8, true, draw_etoiles, "star twinkle frames"},
    {"fire.bmp", 32, 8, 8, true, draw_fire, "the creature's shot"},
    {"fishs.bmp", 32, 512, 8, true, draw_fishs, "three fish and a stunned fish"},
    {"flying.bmp", 32, 256, 8, true, draw_flying, "the flyer's flap cycle"},
    {"font.bmp", 128, 48, 8, false, draw_font, "font page"},
    {"mplayer.bmp", 32, 384, 8, false, draw_mplayer, "creature poses"},
    {"nmis1.bmp", 32, 256, 8, true, NUMBERED(draw_nmis, 1), "enemies of towers 1 and 5"},
    {"nmis2.bmp", 32, 256, 8, true, NUMBERED(draw_nmis, 2), "enemies of towers 2 and 6"},
    {"nmis3.bmp", 32, 256, 8, true, NUMBERED(draw_nmis, 3), "enemies of towers 3 and 7"},
    {"nmis4.bmp", 32, 256, 8, true, NUMBERED(draw_nmis, 4), "enemies of towers 4 and 8"},
    {"panel1.bmp", 8, 24, 8, false, NUMBERED(draw_panel, 1), "panel background tile"},
    {"panel2.bmp", 64, 24, 8, false, NUMBERED(draw_panel, 2), "clock area"},
    {"panel3.bmp", 64, 24, 8, false, NUMBERED(draw_panel, 3), "score area"},
    {"parallax1.bmp", 8, 8, 8, false, NUMBERED(draw_parallax, 1), "sea sparkle tile"},
    {"parallax2.bmp", 16, 128, 8, false, NUMBERED(draw_parallax, 2), "sky gradient strip"},
    {"parallax3.bmp", 320, 24, 8, false, NUMBERED(draw_parallax, 3), "far clouds"},
    {"parallax4.bmp", 320, 32, 8, false, NUMBERED(draw_parallax, 4), "waves"},
    {"player.bmp", 32, 1200, 8, true, draw_player, "the creature, facing right"},
    {"player2.bmp", 32, 1200, 8, true, draw_player2, "the creature, mirrored"},
    {"podium.bmp", 32, 32, 8, true, draw_podium, "podium"},
    {"portes.bmp", 32, 544, 8, true, draw_portes, "door views for angles 0-67"},
    {"presentation.bmp", 240, 160, 8, false, draw_presentation, "spare title picture"},
    {"subway.bmp", 32, 128, 8, true, draw_subway, "submarine dome and hull"},
    {"time.bmp", 16, 176, 8, false, draw_time, "clock drum"},
    {"time_icons.bmp", 48, 16, 8, false, draw_time_icons, "tower and interlevel icons"},
    {"titre.bmp", 240, 64, 8, true, draw_titre, "title logo"},
    {"toptower.bmp", 128, 64, 8, true, draw_toptower, "tower top"},
    {"torpille.bmp", 8, 8, 8, true, draw_torpille, "torpedo"},
    {"tour1.bmp", 128, 64, 8, false, NUMBERED(draw_tour, 1), "tower 1 wall"},
    {"tour2.bmp", 128, 64, 8, false, NUMBERED(draw_tour, 2), "tower 2 wall"},
    {"tour3.bmp", 128, 64, 8, false, NUMBERED(draw_tour, 3), "tower 3 wall"},
    {"tour4.bmp", 128, 64, 8, false, NUMBERED(draw_tour, 4), "tower 4 wall"},
    {"tour5.bmp", 128, 64, 8, false, NUMBERED(draw_tour, 5), "tower 5 wall"},
    {"tour6.bmp", 128, 64, 8, false, NUMBERED(draw_tour, 6), "tower 6 wall"},
    {"tour7.bmp", 128, 64, 8, false, NUMBERED(draw_tour, 7), "tower 7 wall"},
    {"tour8.bmp", 128, 64, 8, false, NUMBERED(draw_tour, 8), "tower 8 wall"},
    {"present.bmp", 320, 200, 8, false, draw_present, "title page"},
    {"vrusk.bmp", 320, 240, 8, false, draw_vrusk, "studio page"},
};
const int SHEET_COUNT = int(sizeof SHEETS / sizeof SHEETS[0]);

const Sheet* find_sheet(const char* name) {
    for (int i = 0; i < SHEET_COUNT; ++i)
        if (std::strcmp(SHEETS[i].name, name) == 0) return &SHEETS[i];
    return nullptr;
}

const Canvas& sheet_canvas(const char* name) {
    static std::map<std::string, Canvas> cache;
    auto it = cache.find(name);
    if (it != cache.end()) return it->second;
    const Sheet* s = find_sheet(name);
    return cache.emplace(name, s ? s->draw() : Canvas(1, 1)).first->second;
}
