// Decors on the tower: which rows and columns are drawn and in what order,
// where the pieces land, the lifts' return and the creature's enemy probe.
#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "world_fixture.h"

namespace {

struct rows {
    int16_t n, top, shift;
};
rows visible(int16_t o) {
    rows r{};
    decors_visible_rows(o, r.n, r.top, r.shift);
    return r;
}

TEST(DecorRows, FollowTheVerticalScroll) {
    // At the foot: the rows above row 0 that fit, row 21 at the top.
    rows r = visible(64);
    EXPECT_EQ(r.n, 22);
    EXPECT_EQ(r.top, 21);
    EXPECT_EQ(r.shift, 0);
    // A part row at the top of the screen when the scroll is not a whole row.
    r = visible(66);
    EXPECT_EQ(r.n, 22);
    EXPECT_EQ(r.top, 21);
    EXPECT_EQ(r.shift, -2);
    // Scrolled up the tower, aligned: exactly 30 rows, 44 down to 15.
    r = visible(-120);
    EXPECT_EQ(r.n, 30);
    EXPECT_EQ(r.top, 44);
    EXPECT_EQ(r.shift, 0);
    // Not aligned: a 31st row, the top one 5 pixels above the screen.
    r = visible(-123);
    EXPECT_EQ(r.n, 31);
    EXPECT_EQ(r.top, 45);
    EXPECT_EQ(r.shift, -5);
    r = visible(-2);
    EXPECT_EQ(r.n, 31);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.shift, -6);
    // Whatever the scroll, the bottom edge of the lowest drawn row sits where
    // the projection puts it: 240 - o - 8 * row.
    for (int o = -400; o <= 64; ++o) {
        r = visible(static_cast<int16_t>(o));
        const int lowest = r.top - (r.n - 1);
        EXPECT_EQ(8 * (r.n - 1) + r.shift + 8, 240 - o - 8 * lowest) << "o " << o;
        // Down to the foot when it is on screen, else to the screen's bottom.
        if (o >= 0)
            EXPECT_EQ(lowest, 0) << "o " << o;
        else
            EXPECT_GE(8 * (r.n - 1) + r.shift + 8, 240) << "o " << o;
        EXPECT_LE(r.shift, 0);
        EXPECT_GT(r.shift + 8, 0);  // and the top row reaches the top
    }
}

TEST(DecorColumns, VisitOrderAtRotationZero) {
    uint8_t c[16], a[16];
    decors_visit_order(0, c, a);
    const uint8_t cols[16] = {4, 3, 5, 2, 6, 1, 7, 0, 8, 15, 9, 14, 10, 13, 11, 12};
    const uint8_t angs[16] = {32, 24, 40, 16, 48, 8, 56, 0, 64, 120, 72, 112, 80, 104, 88, 96};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(c[i], cols[i]) << i;
        EXPECT_EQ(a[i], angs[i]) << i;
    }
}

TEST(DecorColumns, EveryRotationVisitsEachColumnOnceAtItsOwnAngle) {
    for (int rot = 0; rot < 128; ++rot) {
        uint8_t c[16], a[16];
        decors_visit_order(static_cast<uint16_t>(rot), c, a);
        std::set<int> seen;
        for (int i = 0; i < 16; ++i) {
            seen.insert(c[i]);
            EXPECT_EQ(a[i], (8 * c[i] + rot) & 127) << "rot " << rot << " i " << i;
            // The first eight are the visible half, the front centre first.
            if (i < 8) {
                EXPECT_LT(a[i], 64) << "rot " << rot << " i " << i;
            }
        }
        EXPECT_EQ(seen.size(), 16u) << "rot " << rot;
        EXPECT_EQ(a[0], 32 + (rot & 7)) << "rot " << rot;
    }
}

TEST_F(BlankTower, PassAndPictureTables) {
    for (int a = 0; a < 128; ++a) {
        const int expect = a < 64 ? 0 : (a <= 82 || a >= 110) ? 1 : -1;
        EXPECT_EQ(tab_prior_decors[a], expect) << "angle " << a;
    }
    for (int code = 0; code < 0x80; ++code) EXPECT_EQ(tab_pse2spr[code], -1) << code;
    const std::pair<int, int> pieces[] = {
        {0x80, 4},  {0x81, 0}, {0x91, 0}, {0xA1, 0}, {0xB1, 0}, {0x82, 12}, {0x83, 16},
        {0xC3, 16}, {0x84, 4}, {0x88, 4}, {0x8C, 4}, {0x85, 8}, {0x89, 8},  {0x8D, 8},
    };
    for (auto [code, d] : pieces) EXPECT_EQ(tab_pse2spr[code], d) << std::hex << code;
    // Doors beyond the visible half are parked off screen.
    EXPECT_EQ(tab_offsetx_decors[4 * 128 + 32], 96 + 51);
    EXPECT_EQ(tab_offsetx_decors[4 * 128 + 67], 96 + 127);
    EXPECT_EQ(tab_offsetx_decors[4 * 128 + 68], 320);
    // A second tower start keeps the tables.
    int16_t* before = tab_offsetx_decors;
    init_decors();
    EXPECT_EQ(tab_offsetx_decors, before);
}

TEST_F(BlankTower, PiecesAtTheFrontCentre) {
    // Column 4 is at angle 32 at rotation 0; row 1 is at screen y 160.
    map_cell(4, 1) = 0x81;
    map_cell(4, 2) = 0x85;
    map_cell(4, 3) = 0x80;
    map_cell(4, 4) = 0x82;
    map_cell(4, 5) = 0x83;
    build_spr_decors();
    auto decors = queued_from(spr_decors);
    ASSERT_EQ(decors.size(), 4u);
    // Rows are queued from the top of the screen down.
    const sprite_entry& shootable = liste_sprites[decors[0]];
    const sprite_entry& block = liste_sprites[decors[1]];
    const sprite_entry& lift = liste_sprites[decors[2]];
    const sprite_entry& step = liste_sprites[decors[3]];
    EXPECT_EQ(step.dst.x, 144);
    EXPECT_EQ(step.dst.y, 160);
    EXPECT_EQ(step.src.x, 8);
    EXPECT_EQ(step.src.w, 32);
    EXPECT_EQ(lift.dst.x, 148);
    EXPECT_EQ(lift.dst.y, 152);
    EXPECT_EQ(lift.src.x, 56);
    EXPECT_EQ(block.dst.x, 152);
    EXPECT_EQ(block.src.x, 40);
    EXPECT_EQ(shootable.dst.x, 152);
    EXPECT_EQ(shootable.src.x, 80);
    auto doors = queued_from(spr_portes);
    ASSERT_EQ(doors.size(), 1u);
    const sprite_entry& door = liste_sprites[doors[0]];
    EXPECT_EQ(door.dst.x, 147);
    EXPECT_EQ(door.dst.y, 128);
    EXPECT_EQ(door.src.y, 8 * 32);
    EXPECT_EQ(door.src.w, 32);
}

TEST_F(BlankTower, DepthOrderFrontDoorsBodyThenSides) {
    map_cell(4, 1) = 0x81;   // front centre, angle 32
    map_cell(3, 1) = 0x81;   // angle 24
    map_cell(5, 1) = 0x83;   // a door at angle 40
    map_cell(8, 1) = 0x81;   // angle 64: beside the body
    map_cell(15, 1) = 0x81;  // angle 120: beside the body, other side
    map_cell(11, 1) = 0x81;  // angle 88: hidden behind the body
    map_cell(12, 1) = 0x83;  // a door at angle 96: never drawn
    build_spr_decors();
    auto decors = queued_from(spr_decors);
    ASSERT_EQ(decors.size(), 4u);
    std::vector<int> xs;
    for (int i : decors) xs.push_back(liste_sprites[i].dst.x);
    // Angle 32, 24, then 64 and 120 (the side pieces, after the body).
    EXPECT_EQ(xs, (std::vector<int>{tab_offset_x[32] + 64, tab_offset_x[24] + 64,
                                    tab_offset_x[64] + 64, tab_offset_x[120] + 64}));
    auto doors = queued_from(spr_portes);
    ASSERT_EQ(doors.size(), 1u);
    auto body = queued_from(spr_tour);
    ASSERT_FALSE(body.empty());
    EXPECT_LT(decors[1], doors[0]);
    EXPECT_LT(doors[0], body.front());
    EXPECT_LT(body.back(), decors[2]);
}

TEST_F(BlankTower, EnemiesAreQueuedWithTheirColumn) {
    if (!spr_nmis) spr_nmis = load_bmp("nmis1.bmp", true, 255, 0, 255);
    map_cell(4, 1) = 0x81;  // angle 32
    map_cell(3, 1) = 0x81;  // angle 24
    map_cell(5, 1) = 0x81;  // angle 40
    str_sprite& e = tab_sprites[0];
    e = str_sprite{NMI_ROLLER, 2, 28, 8, 0, 0, 1, 0, 0, 5};  // sector 24
    calc_crdz_nmis();
    EXPECT_EQ(e.crdz, 24);
    EXPECT_EQ(e.scr_x, tab_offset_x[26] + 64);
    build_spr_decors();
    auto decors = queued_from(spr_decors);
    auto nmis = queued_from(spr_nmis);
    ASSERT_EQ(decors.size(), 3u);
    ASSERT_EQ(nmis.size(), 1u);
    EXPECT_GT(nmis[0], decors[1]);  // behind its own column's pieces
    EXPECT_LT(nmis[0], decors[2]);  // in front of the next column out
    EXPECT_EQ(liste_sprites[nmis[0]].dst.y, 224 - 16 - 64);
    EXPECT_EQ(liste_sprites[nmis[0]].src.y, 16 * 5 - 64);
}

TEST_F(BlankTower, EnemyDrawingEdges) {
    if (!spr_nmis) spr_nmis = load_bmp("nmis1.bmp", true, 255, 0, 255);
    // sy = 224 - 2 * crdy - 64: crdy -40 gives 240 + ... pick sy directly.
    auto place = [](int i, int16_t status, int16_t sy, int16_t num_spr) {
        tab_sprites[i] = str_sprite{status, 1, 30, 0, 0, 0, 0, 0, 0, num_spr};
        tab_sprites[i].crdy = static_cast<int16_t>((224 - 64 - sy) / 2);
    };
    place(0, NMI_BOUNCER, -16, 4);  // wholly above: kept, not drawn
    place(1, NMI_BOUNCER, -14, 4);  // one row showing: drawn
    place(2, NMI_BOUNCER, 242, 4);  // below the screen: freed
    place(3, NMI_APPEAR, 100, 0);   // just spawned: no picture yet
    calc_crdz_nmis();
    aff_nmis(static_cast<uint16_t>(tab_sprites[0].crdz + 3), 0);
    EXPECT_EQ(tab_sprites[0].status, NMI_BOUNCER);
    EXPECT_EQ(tab_sprites[2].status, NMI_FREE);
    EXPECT_EQ(tab_sprites[3].status, NMI_APPEAR);
    auto nmis = queued_from(spr_nmis);
    ASSERT_EQ(nmis.size(), 1u);
    EXPECT_EQ(liste_sprites[nmis[0]].dst.y, -14);
    // The shot in the same sector, with its own small sheet.
    nb_sprites = 0;
    tab_sprites[4] = str_sprite{NMI_SHOT, 0, 30, 40, 0, 0, 2, 0, 0, 3};
    calc_crdz_nmis();
    aff_nmis(static_cast<uint16_t>(tab_sprites[4].crdz), 1);
    auto fire = queued_from(spr_fire);
    ASSERT_EQ(fire.size(), 1u);
    EXPECT_EQ(liste_sprites[fire[0]].dst.x, tab_sprites[4].scr_x + 8);
    EXPECT_EQ(liste_sprites[fire[0]].dst.y, 224 - 80 - 64 + 8);
    EXPECT_EQ(liste_sprites[fire[0]].src.x, 24);
    // Another sector draws none of them.
    nb_sprites = 0;
    aff_nmis(static_cast<uint16_t>((tab_sprites[4].crdz + 8) & 127), 0);
    EXPECT_EQ(nb_sprites, 0);
}

// A lift in column 11 that rose from its bottom stop (row 10) to its top
// stop (row 14), with a middle stop marker in row 12.
class LiftShaft : public BlankTower {
  protected:
    void SetUp() override {
        BlankTower::SetUp();
        map_cell(11, 10) = 0x84;
        map_cell(11, 11) = 0x80;
        map_cell(11, 12) = 0x8C;
        map_cell(11, 13) = 0x80;
        map_cell(11, 14) = 0x89;
    }
    uint8_t* at(int row) { return &map_cell(11, row); }
    int used() {
        int n = 0;
        for (int i = 0; i < NB_PILIERS; ++i) n += tab_piliers[i].wait != -1;
        return n;
    }
};

TEST_F(LiftShaft, ReturnsAfterFiveSecondsOneRowPerFrame) {
    ASSERT_EQ(insert_pilier(at(14)), 1);
    for (int f = 0; f < 125; ++f) gere_piliers();
    EXPECT_EQ(*at(14), 0x89);  // still waiting
    gere_piliers();
    EXPECT_EQ(*at(14), 0x08);  // its row shows the top stop marker again
    EXPECT_EQ(*at(13), 0x8D);  // boardable either way on its way down
    gere_piliers();
    EXPECT_EQ(*at(13), 0x00);
    EXPECT_EQ(*at(12), 0x8D);
    gere_piliers();
    EXPECT_EQ(*at(12), 0x0C);  // the middle stop marker is kept
    EXPECT_EQ(*at(11), 0x8D);
    EXPECT_EQ(used(), 1);
    gere_piliers();
    EXPECT_EQ(*at(11), 0x00);
    EXPECT_EQ(*at(10), 0x85);  // home, and the record is free
    EXPECT_EQ(used(), 0);
    gere_piliers();
    EXPECT_EQ(*at(10), 0x85);
    EXPECT_EQ(*at(9), 0x00);
}

TEST_F(LiftShaft, RidingItAgainCancelsTheReturn) {
    ASSERT_EQ(insert_pilier(at(14)), 1);
    for (int f = 0; f < 127; ++f) gere_piliers();
    ASSERT_EQ(*at(12), 0x8D);
    remove_pilier(at(13));  // not the lift's cell: nothing happens
    EXPECT_EQ(used(), 1);
    remove_pilier(at(12));
    EXPECT_EQ(used(), 0);
    for (int f = 0; f < 10; ++f) gere_piliers();
    EXPECT_EQ(*at(12), 0x8D);
    EXPECT_EQ(*at(11), 0x80);
}

// A shot clears lift column blocks, the bottom one with its stop marker
// too. The returning lift then stops at the foot of the tower, in its own
// column: in column 0 the next row down would lie before the map, in any
// other column in the previous one.
TEST_F(LiftShaft, WithItsBottomBlockShotAwayItStopsAtTheFootOfItsColumn) {
    for (int column : {11, 0}) {
        std::memset(current_map, 0, MAP_COLUMNS * MAP_ROWS);
        map_cell(column, 11) = 0x80;
        map_cell(column, 12) = 0x8C;
        map_cell(column, 13) = 0x80;
        map_cell(column, 14) = 0x89;
        map_cell(column - 1, 255) = 0x81;  // the byte before row 0
        ASSERT_EQ(insert_pilier(&map_cell(column, 14)), 1);
        for (int f = 0; f < 125 + 13; ++f) gere_piliers();
        EXPECT_EQ(map_cell(column, 1), 0x8D) << column;
        EXPECT_EQ(used(), 1);
        gere_piliers();
        EXPECT_EQ(map_cell(column, 1), 0x00) << column;
        EXPECT_EQ(map_cell(column, 0), 0x85) << "home at the foot, column " << column;
        EXPECT_EQ(used(), 0);
        for (int f = 0; f < 10; ++f) gere_piliers();
        EXPECT_EQ(map_cell(column, 0), 0x85);
        EXPECT_EQ(map_cell(column - 1, 255), 0x81) << "the next column is left alone";
        EXPECT_EQ(map_cell(column, 12), 0x0C);
        EXPECT_EQ(map_cell(column, 14), 0x08);
    }
    // A lift left on row 0 by a knocked-off rider is at the foot already.
    std::memset(current_map, 0, MAP_COLUMNS * MAP_ROWS);
    map_cell(3, 0) = 0x8D;
    ASSERT_EQ(insert_pilier(&map_cell(3, 0)), 1);
    for (int f = 0; f < 126; ++f) gere_piliers();
    EXPECT_EQ(map_cell(3, 0), 0x85);
    EXPECT_EQ(map_cell(2, 255), 0x00);
    EXPECT_EQ(used(), 0);
}

TEST_F(LiftShaft, BottomStopAndFullTable) {
    map_cell(3, 5) = 0x85;
    EXPECT_EQ(insert_pilier(&map_cell(3, 5)), 0);  // already at its bottom stop
    EXPECT_EQ(used(), 0);
    for (int i = 0; i < 4; ++i) {
        map_cell(i, 20) = 0x8D;
        EXPECT_EQ(insert_pilier(&map_cell(i, 20)), 1);
    }
    EXPECT_EQ(insert_pilier(at(14)), 0);  // four records full
    remove_pilier(&map_cell(2, 20));
    EXPECT_EQ(insert_pilier(at(14)), 1);
    reset_piliers();
    EXPECT_EQ(used(), 0);
}

// The enemy probe: boxes around the creature, then the flyer's window.
TEST_F(BlankTower, EnemyProbeBox) {
    player_map_x = 40;
    player_map_y = 100;
    str_sprite& e = tab_sprites[2];
    e = str_sprite{NMI_VPATROL, 8, 0, 0, 0, 0, 1, 0, 0, 12};
    auto hits = [&](int dx, int dy) {
        // dx, dy: probe minus enemy (the probe stands one unit above the feet).
        e.crdx = static_cast<int16_t>((40 - dx) & 127);
        e.crdy = static_cast<int16_t>((101 - dy) & 1023);
        return ascenseur_col_nmi() == &e;
    };
    for (int dx = -5; dx <= 4; ++dx) {
        EXPECT_TRUE(hits(dx, 0)) << dx;
        EXPECT_TRUE(hits(dx, 7)) << dx;
        EXPECT_TRUE(hits(dx, -7)) << dx;
        EXPECT_FALSE(hits(dx, 8)) << dx;
        EXPECT_FALSE(hits(dx, -8)) << dx;
    }
    EXPECT_FALSE(hits(-6, 0));
    EXPECT_FALSE(hits(5, 0));
    // Across x 0 of the tower.
    player_map_x = 1;
    e.crdx = 126;
    e.crdy = 101;
    EXPECT_EQ(ascenseur_col_nmi(), &e);
    // Appearing and vanishing enemies are harmless.
    e.status = NMI_APPEAR;
    EXPECT_EQ(ascenseur_col_nmi(), nullptr);
    e.status = NMI_VANISH;
    EXPECT_EQ(ascenseur_col_nmi(), nullptr);
}

TEST_F(BlankTower, FlyerWindow) {
    player_map_x = 40;
    player_map_y = 100;
    str_sprite& f = tab_sprites[1];
    f = str_sprite{NMI_FLYER, 0, 160, 100, 0, 0, 4, 0, 0, 0};
    EXPECT_EQ(ascenseur_col_nmi(), &f);
    f.crdx = 134;
    EXPECT_EQ(ascenseur_col_nmi(), &f);
    f.crdx = 133;
    EXPECT_EQ(ascenseur_col_nmi(), nullptr);
    f.crdx = 161;
    EXPECT_EQ(ascenseur_col_nmi(), nullptr);
    f.crdx = 150;
    f.crdy = 109;  // creature 9 below
    EXPECT_EQ(ascenseur_col_nmi(), &f);
    f.crdy = 110;
    EXPECT_EQ(ascenseur_col_nmi(), nullptr);
    f.crdy = 93;  // creature 7 above
    EXPECT_EQ(ascenseur_col_nmi(), &f);
    f.crdy = 92;
    EXPECT_EQ(ascenseur_col_nmi(), nullptr);
    // Only the first flyer in the table counts.
    tab_sprites[0] = str_sprite{NMI_FLYER, 0, 0, 100, 0, 0, 2, 0, 0, 0};
    f.crdy = 100;
    EXPECT_EQ(ascenseur_col_nmi(), nullptr);
}

// Enemy against enemy and shot against enemy: the rounded shapes.
TEST_F(BlankTower, ContactShapes) {
    str_sprite& me = tab_sprites[0];
    str_sprite& other = tab_sprites[1];
    auto range = [&](uint16_t who, int dy) {
        // The x differences (me minus other) that touch at this height difference.
        std::vector<int> xs;
        for (int dx = -8; dx <= 8; ++dx) {
            tab_sprites[who].crdx = static_cast<int16_t>((3 + dx) & 127);   // across x 0
            tab_sprites[who].crdy = static_cast<int16_t>((2 + dy) & 1023);  // across y 0
            if (nmi_col_spr(who) == &other) xs.push_back(dx);
        }
        return xs;
    };
    auto span = [](int a, int b) {
        std::vector<int> v;
        for (int i = a; i <= b; ++i) v.push_back(i);
        return v;
    };
    other = str_sprite{NMI_BOUNCER, 1, 3, 2, 0, 0, 1, 0, 0, 4};
    me = str_sprite{NMI_BOUNCER, 1, 0, 0, 0, 0, 1, 0, 0, 4};
    EXPECT_EQ(range(0, 0), span(-3, 2));
    EXPECT_EQ(range(0, 3), span(-3, 2));
    EXPECT_EQ(range(0, 5), span(-2, 2));
    EXPECT_EQ(range(0, 7), span(-1, 1));
    EXPECT_EQ(range(0, -7), span(-1, 1));
    EXPECT_EQ(range(0, 8), span(0, -1));
    EXPECT_EQ(range(0, -8), span(0, -1));
    // The shot, from record 4.
    me.status = NMI_FREE;
    tab_sprites[4] = str_sprite{NMI_SHOT, 0, 0, 0, 0, 0, 2, 0, 0, 0};
    EXPECT_EQ(range(4, 0), span(-2, 2));
    EXPECT_EQ(range(4, 4), span(-1, 1));
    EXPECT_EQ(range(4, 5), span(-1, 1));
    EXPECT_EQ(range(4, 6), span(0, -1));
    EXPECT_EQ(range(4, 7), span(0, -1));
    EXPECT_EQ(range(4, -7), span(-1, 1));
    EXPECT_EQ(range(4, -4), span(-2, 2));
    // A record never meets itself, and free, vanishing, appearing and
    // flying records are not there to meet.
    tab_sprites[4].crdx = 3;
    tab_sprites[4].crdy = 2;
    for (int16_t st : {NMI_FREE, NMI_VANISH, NMI_APPEAR, NMI_FLYER}) {
        other.status = st;
        EXPECT_EQ(nmi_col_spr(4), nullptr) << st;
    }
    other.status = NMI_STUNNED;
    EXPECT_EQ(nmi_col_spr(4), &other);
    EXPECT_EQ(nmi_col_spr(1), nullptr);  // itself, and nothing else alive
}

}  // namespace
