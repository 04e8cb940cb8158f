// The creature the player steers: a small round fox-kit with a teal scarf.
// The upright frames (walking, turning, standing, landing, throwing) are
// composed by a little rig: a body drawn as a pixel grid for each view (side,
// three-quarter back, back), legs, arms and the scarf's tail placed by pose
// numbers, then outlined. The frames whose pose the rig cannot make (falls,
// the knock-off somersault, the door passage and the drowning) are drawn
// whole, pixel by pixel, below.
#include <cmath>
#include <vector>

#include "palette.h"
#include "sheets.h"

namespace {

using namespace pal;

const uint32_t BOOT = C(0x503020);
const uint32_t BOOT_L = C(0x886040);

const std::vector<Legend> BODY_LEGEND = {
    {'F', FUR},   {'L', FUR_L},   {'D', FUR_D},   {'C', CREAM}, {'W', WHITE}, {'K', INK},
    {'S', SCARF}, {'s', SCARF_D}, {'T', SCARF_L}, {'P', PINK},  {'N', INK2},
};

// Side view, facing right. Placed with its column 0 at frame column 10.
// The pictures are drawn one pixel row per line:
// clang-format off
const char* SIDE[] = {
    "...D....D...",
    "..DLD..DFD..",
    "..LFFFFFFD..",
    ".LFFFFFFFFF.",
    ".LFFFFFFWWF.",
    "LFFFFFFFWKWC",
    "LFFFFFFFWKKC",
    "FFFFFFFPCCCN",
    "DFFFFFFCCCC.",
    "TSSSSSSSSSS.",
    ".sSSSSSSSSs.",
    ".DFFFFFCCCC.",
    ".DDFFFFCCC..",
    "..DDDFFFC...",
};
// Three-quarter view from behind: the face has turned away to the right.
const char* TQ[] = {
    "...D.....D..",
    "..DLD...DFD.",
    "..LFFFFFFFD.",
    ".LFFFFFFFFFD",
    ".LFFFFFFFFFD",
    "LFFFFFFFFFFW",
    "LFFFFFFFFFFK",
    "FFFFFFFFFFFC",
    "DFFFFFFFFFD.",
    "SSSSTSSSSSs.",
    ".sSSSTSSSSs.",
    ".DFFFFFFFFD.",
    ".DDFFFFFFD..",
    "..DDDFFDD...",
};
// Back view: ears, the scarf's knot and the tail hanging down the back.
const char* BACK[] = {
    "..D......D..",
    ".DLD....DFD.",
    ".LFFFFFFFFD.",
    "LFFFFFFFFFFD",
    "LFFFFFFFFFFD",
    "LFFFFFFFFFFD",
    "LFFFFFFFFFFD",
    "FFFFFFFFFFFD",
    "DFFFFFFFFFDD",
    "SSSSSTSSSSSs",
    ".sSSSTTSSSs.",
    ".DFFFSTFFFD.",
    ".DDFFSsFFDD.",
    "..DDDFFDDD..",
};
// clang-format on

enum View { SIDE_V, TQ_V, BACK_V };

struct Pose {
    View view = SIDE_V;
    int bx = 0, by = 0;  // body offset from standing
    int squash = 0;      // rows taken out of the body (landing)
    // feet: x of each boot relative to the hip centre, and lift above ground
    int near_fx = 1, near_lift = 0, far_fx = -1, far_lift = 0;
    // hands relative to the shoulder
    int near_hx = 1, near_hy = 3, far_hx = -1, far_hy = 3;
    int tail = 0;  // scarf tail phase 0..3, -1 none
};

const int HIP_Y = 15;   // first leg row at standing height
const int GROUND = 18;  // last row of the boots when standing (outline below)
const int CX = 16;      // body centre column

void leg(Canvas& c, int hipx, int hipy, int fx, int lift, bool facing_back, uint32_t col) {
    int footy = GROUND - lift;
    int kx = hipx + fx;
    // thigh to ankle
    line(c, hipx, hipy, kx, footy - 1, col);
    line(c, hipx + 1, hipy, kx + 1, footy - 1, col);
    // boot: two pixels tall, pointing the way the creature faces
    if (facing_back) {
        fill_rect(c, kx, footy - 1, 2, 2, BOOT);
        c.set(kx, footy - 1, BOOT_L);
    } else {
        fill_rect(c, kx, footy - 1, 3, 2, BOOT);
        c.set(kx, footy - 1, BOOT_L);
        c.set(kx + 1, footy - 1, BOOT_L);
    }
}

void arm(Canvas& c, int sx, int sy, int hx, int hy, uint32_t col, uint32_t hand) {
    line(c, sx, sy, sx + hx, sy + hy, col);
    c.set(sx + hx, sy + hy, hand);
}

Canvas render(const Pose& p) {
    Canvas c(32, 32);
    const char* const* grid = p.view == SIDE_V ? SIDE : (p.view == TQ_V ? TQ : BACK);
    int top = HIP_Y - 14 + p.by + p.squash;
    int left = CX - 6 + p.bx;
    int hipy = HIP_Y + p.by;
    bool back = p.view != SIDE_V;

    // far limbs first, so the body covers them
    leg(c, CX - 2 + p.bx, hipy, p.far_fx - 1, p.far_lift, back, FUR_D);
    if (p.view != BACK_V)
        arm(c, CX - 3 + p.bx, top + 11 - 2 * p.squash, p.far_hx, p.far_hy, FUR_D, FUR_D);

    // body, squashed by dropping rows from its middle
    Canvas body(12, 14);
    draw_grid(body, 0, 0, grid, 14, BODY_LEGEND);
    int row = 0;
    for (int y = 0; y < 14; ++y) {
        if (y >= 13 - p.squash && y < 13) continue;  // a squash flattens the belly
        for (int x = 0; x < 12; ++x) {
            uint32_t col = body.get(x, y);
            if (col != KEY) c.set(left + x, top + row, col);
        }
        ++row;
    }
    // widen a squashed body by a column each side
    if (p.squash > 0)
        for (int y = top + 5; y < top + 12 - p.squash; ++y) {
            c.set(left - 1, y, FUR_D);
            c.set(left + 12, y, y < top + 9 ? CREAM : FUR_D);
        }

    // the scarf's tail flutters behind the neck
    if (p.tail >= 0 && p.view == SIDE_V) {
        int ty = top + 9;
        static const int WAVE[4][4] = {{0, 0, 1, 1}, {0, 1, 1, 0}, {0, 0, 0, -1}, {0, -1, 0, 0}};
        for (int i = 0; i < 4; ++i) {
            c.set(left - 1 - i, ty + WAVE[p.tail & 3][i], i == 3 ? SCARF_D : SCARF);
            c.set(left - 1 - i, ty + 1 + WAVE[p.tail & 3][i], SCARF_D);
        }
    }

    // near limbs
    leg(c, CX + p.bx, hipy, p.near_fx, p.near_lift, back, FUR);
    if (p.view == BACK_V) {
        // seen from behind both arms show, one at each side
        int reach = p.far_hy < 0 ? -2 : 2;  // paws down, or raised to a door
        arm(c, left, top + 11, -1, reach, FUR_D, FUR);
        arm(c, left + 11, top + 11, 1, reach, FUR_D, FUR);
    } else {
        arm(c, CX + 1 + p.bx, top + 11 - 2 * p.squash, p.near_hx, p.near_hy, FUR, FUR_L);
    }

    outline(c, 0, 0, 32, 32, INK);
    return c;
}

Pose walk(int i) {
    Pose p;
    double ph = i * 2.0 * 3.14159265358979323846 / 8.0;
    double s = std::sin(ph), co = std::cos(ph);
    p.near_fx = int(std::lround(2.6 * s)) + 1;
    p.far_fx = -int(std::lround(2.6 * s)) + 1;
    p.near_lift = co > 0.3 ? 1 : 0;
    p.far_lift = co < -0.3 ? 1 : 0;
    p.by = std::fabs(s) < 0.5 ? -1 : 0;
    p.near_hx = -int(std::lround(2.0 * s));
    p.near_hy = 3;
    p.far_hx = int(std::lround(2.0 * s)) - 1;
    p.far_hy = 3;
    p.tail = i & 3;
    return p;
}

Pose frame_pose(int f) {
    Pose p;
    if (f < 8) return walk(f);
    switch (f) {
    case 8:
        p.view = TQ_V;
        p.tail = -1;
        break;  // turning: face leaves us
    case 9:
        p.view = TQ_V;
        p.tail = -1;
        p.bx = 0;
        p.near_fx = 0;
        p.far_fx = 0;
        break;
    case 10:
        p.view = BACK_V;
        p.tail = -1;
        p.near_fx = 1;
        p.far_fx = -1;
        break;
    case 11:
        p.view = BACK_V;
        p.tail = -1;
        p.near_fx = 2;
        p.far_fx = -2;
        p.far_hx = -2;
        break;
    case 12: p.tail = 1; break;  // standing
    case 13:
        p.squash = 2;
        p.by = 0;
        p.near_fx = 3;
        p.far_fx = -2;
        p.near_hy = 2;
        p.tail = 0;
        break;  // landing
    case 16:
        p.view = TQ_V;
        p.tail = -1;
        p.near_hx = 2;
        p.near_hy = 1;
        break;
    case 17:
        p.view = TQ_V;
        p.tail = -1;
        p.near_fx = 0;
        p.far_fx = 0;
        break;
    case 18:
        p.view = BACK_V;
        p.tail = -1;
        break;
    case 19:
        p.view = BACK_V;
        p.tail = -1;
        p.near_fx = 2;
        p.far_fx = -2;
        p.far_hy = -3;
        p.far_hx = 1;
        break;
    case 26:
        p.near_hx = -4;
        p.near_hy = -2;
        p.tail = 2;
        p.bx = -1;
        break;  // wind up
    case 27:
        p.near_hx = 5;
        p.near_hy = 0;
        p.tail = 3;
        p.bx = 1;
        p.near_fx = 3;
        p.far_fx = -2;
        break;  // throw
    }
    return p;
}

// ---- frames drawn whole ----

const uint32_t FUR_DEEP = C(0x702808);  // fur in a doorway's shadow
const uint32_t FUR_DARK = C(0x482018);  // fur deep inside the tunnel
const uint32_t SCARF_DEEP = C(0x0C3840);
const uint32_t FOAM = C(0xC8E8F8);

const std::vector<Legend> DRAWN_LEGEND = {
    {'F', FUR},        {'L', FUR_L}, {'D', FUR_D},   {'C', CREAM},    {'W', WHITE},
    {'K', INK},        {'S', SCARF}, {'s', SCARF_D}, {'T', SCARF_L},  {'P', PINK},
    {'N', INK2},       {'B', BOOT},  {'b', BOOT_L},  {'R', FUR_DEEP}, {'r', FUR_DARK},
    {'q', SCARF_DEEP}, {'a', SEA_L}, {'w', FOAM},    {'Y', YEL},
};

struct Drawn {
    int frame;
    int x, y;  // where the grid's corner sits in the 32x32 frame
    std::vector<const char*> rows;
};

// 14, 15: falling backward and forward off an edge, limbs flung out, eyes
// wide. 20-22: walking into a door's tunnel, the dark climbing from the feet
// and the creature shrinking as it goes away; 23-25 come back out the same
// way. 28-30: the knock-off somersault (thrown back, on its back, upside
// down; dazed stars). 31-36: sinking, paws up; row 20 is the water line,
// below it the game draws the reflection, so the picture stops there.
// Light comes from the upper left in every frame.
// One pixel row per line:
// clang-format off
const Drawn DRAWN[] = {
    {14, 4, 1, {
        "......K....K.......",
        ".K...KDK..KDK...K..",
        "KLK.KDLDKKDFDK.KLK.",
        ".KFKKLFFFFFFDKKFK..",
        ".KFKLFFFFFWWWFKFK..",
        ".KFKLFFFFFWKKWKFK..",
        "..KLFFFFFFWKKWCK...",
        "..KLFFFFFFFWWCCK...",
        "..KFFFFFFFPCCCNK...",
        "..KDFFFFFFCCKCK....",
        "..KTSSSSSSSSSSK....",
        "..KKsSSSSSSSSsKK...",
        ".KSKKKDFFFFFCCCCKK.",
        ".KSsKKDDFFFFCCCKbBK",
        "..KSK.KDDDFFFCKFBBK",
        "..KsK..KKFFKKKFFBK.",
        "...K.....KFFKKKKK..",
        "..........KbbBK....",
        "..........KBBBK....",
        "...........KKK.....",
    }},
    {15, 3, 2, {
        "......K.....K....K....",
        ".....KDK...KDK..KDK...",
        ".....KDK..KDLDKKDFDK..",
        "......KDK.KLFFFFFFDK..",
        "......KDKKLFFFFFWWWFK.",
        ".....KKK.KLFFFFFWKKWK.",
        "....KSsKKLFFFFFFWKKWCK",
        "...KSsK.KLFFFFFFFWWCCK",
        "..KSsK..KFFFFFFFPCCCNK",
        "..KsK..KKDFFFFFFCCKCK.",
        "...K..KTSSSSSSSSSSKK..",
        "......KKsSSSSSSSSsK...",
        "...KKKDFFFFFCCCCFK....",
        ".KKbDKDDFFFFCCCKKFKK..",
        "KbBDDKKDDDFFFCK..KFLK.",
        "KBBDK..KFDKKKK....KK..",
        ".KKK....KFDK..........",
        "........KbbBK.........",
        "........KBBBK.........",
        ".........KKK..........",
    }},
    {20, 8, 0, {
        "....K......K....",
        "...KDK....KDK...",
        "..KDLDKKKKDFDK..",
        "..KLFFFFFFFFDK..",
        ".KLFFFFFFFFFFDK.",
        ".KLFFFFFFFFFFDK.",
        ".KLFFFFFFFFFFDK.",
        ".KLFFFFFFFFFFDK.",
        ".KFFFFFFFFFFFDK.",
        ".KDFFFFFFFFFDDK.",
        ".KSSSSSTSSSSSsK.",
        "KDKsSSSTTSSSsKDK",
        "KRKDFFFSTFFFDKRK",
        "KDKRRDFSsFDRRKDK",
        ".K.KRRRDDRRRK.K.",
        "....KRRKDDKK....",
        "....KrRKBK......",
        "....KKK.KK......",
        "....KK..........",
    }},
    {21, 8, 0, {
        "....K......K....",
        "...KDK....KDK...",
        "..KDLDKKKKDFDK..",
        "..KLFFFFFFFFDK..",
        ".KLFFFFFFFFFFDK.",
        ".KLFFFFFFFFFFDK.",
        ".KFFFFFFFFFFFRK.",
        ".KFDDDFFFFDDDRK.",
        ".KDDDDDDDDDDDRK.",
        ".KRDDDDDDDDDRRK.",
        ".KqssssSsssssNK.",
        "KrKNqqsSSsqqNKrK",
        "KrKrRRRqsRRRrKrK",
        "KRKrrRRqNRRrrKRK",
        ".K.KrrrRRrrrK.K.",
        "....KNrKRRKK....",
        "....KNNKrrK.....",
        "....KKK.KK......",
        "....KK..KK......",
    }},
    {22, 10, 3, {
        "..K......K..",
        ".KrK....KrK.",
        "KrDrKKKKrRrK",
        "KDRRRRRRRRrK",
        "KDRRRRRRRRrK",
        "KDRRRRRRRRrK",
        "KrrrRRRRrrNK",
        "KNrrrrrrrNNK",
        "KNNNNqNNNNK.",
        ".KKNNqqNNK..",
        ".KNrrNqrrNK.",
        "..KNNNKNNK..",
        ".KNNKrrKK...",
        "..KK.KK.....",
        "..KK.KK.....",
    }},
    {23, 10, 3, {
        "..K......K..",
        ".KrK....KrK.",
        "KrDrKKKKrRrK",
        "KDRRRRRRRRrK",
        "KDRRRRRRRRrK",
        "KDRRRRRRRRrK",
        "KRRRRRRRRRrK",
        "KNrrRRRRrNNK",
        "KNNNNqNNNNK.",
        ".KKNNqqNNK..",
        ".KNrrNqrrNK.",
        "..KNNNKNNK..",
        ".KNNKrrKK...",
        "..KK.KK.....",
        "..KK.KK.....",
    }},
    {24, 8, 0, {
        "....K......K....",
        "...KDK....KDK...",
        "..KDLDKKKKDFDK..",
        "..KLFFFFFFFFDK..",
        ".KLFFFFFFFFFFDK.",
        ".KLFFFFFFFFFFDK.",
        ".KLFFFFFFFFFFDK.",
        ".KFFFFFFFFFFFRK.",
        ".KDDDDFFFFDDDRK.",
        ".KRDDDDDDDDDRRK.",
        ".KsssssSsssssqK.",
        "KrKqsssSSsssqKrK",
        "KrKrRRDsSDRRrKrK",
        "KRKrrRRqNRRrrKRK",
        ".K.KrrrRRrrrK.K.",
        "....KrrKRRKK....",
        ".....KKKRRK.....",
        ".....KK.KK......",
        "........KK......",
    }},
    {25, 8, 0, {
        "....K......K....",
        "...KDK....KDK...",
        "..KDLDKKKKDFDK..",
        "..KLFFFFFFFFDK..",
        ".KLFFFFFFFFFFDK.",
        ".KLFFFFFFFFFFDK.",
        ".KLFFFFFFFFFFDK.",
        ".KLFFFFFFFFFFDK.",
        ".KFFFFFFFFFFFDK.",
        ".KDFFFFFFFFFDDK.",
        ".KSSSSSTSSSSSsK.",
        "KDKsSSSTTSSSsKDK",
        "KDKDFFFSTFFFDKDK",
        "KDKDDFFSsFFDDKDK",
        ".K.KRRDFFDRRK.K.",
        "....KRRKDDKK....",
        "....KRRKDDK.....",
        "....KKKKBK......",
        "....KK..KK......",
    }},
    {28, 4, 1, {
        ".K....K....K....K......",
        "KLK..KDK..KDK..KLK.....",
        ".KFKKDLDKKDFDKKFK......",
        ".KFKKLFFFFFFDKKFK...K..",
        ".KFKLFFFFFFFFFKFK..KYK.",
        "..KKLFFFFFFKFFKK..KKKWK",
        "..KLFFFFFFFFKKCK.KYWKK.",
        "..KLFFFFFFFKFFCK..KKKWK",
        "..KFFFFFFFPCCCNK...KYK.",
        "..KDFFFFFFCKKCK.....K..",
        "..KTSSSSSSSSSSK.KK.....",
        "..KKsSSSSSSSSsKKbBK....",
        ".KSKKKDFFFFFCCCFBBK....",
        ".KSsKKDDFFFFCCFFBK.....",
        "..KSK.KDDDFFFCKKK......",
        "..KsK..KKKFFKK.........",
        "...K......KFFKK........",
        "...........KbbBK.......",
        "...........KBBBK.......",
        "............KKK........",
    }},
    {29, 6, 1, {
        "....................Y.",
        "........K....K.....YWY",
        ".Y.....KLK..KLK.....Y.",
        "YWY.....KLKKLK...KK...",
        ".Y......KLKKLK..KbBK..",
        "........KLKKLK.KLBBK..",
        "......KKCCNKKKKLDBK...",
        "....KKLKWKCCSsCKKK....",
        "..KKLLFWKWCCSSCCK.KK..",
        "KDDLFFDKWKCCSSCCCKbBK.",
        ".KKKLFFLFLPCSSCCFLBBK.",
        "....KLFFFFFFSSFFFDBK..",
        "....KLFFFFFFSSFFDKK...",
        "..KKLFFFFFFFSSFFDK....",
        "KDDLFFFFFFFFSSFFDK....",
        ".KKKLDFFFFFFSSFFDK....",
        "....KKLDFFFFSsDDK.....",
        "......KKLDDDTKKK......",
        "........KKKKK.........",
    }},
    {30, 5, 0, {
        "......KKK..KKK........",
        ".....KBBbKKBbbK.......",
        "......KBbKKbBK........",
        "......KLDKKLDK........",
        ".......KLLLDKKK.....Y.",
        ".......KCFFFLLLK...YWY",
        ".Y....KCCCFFFFFLK...Y.",
        "YWY..KCCCCFFFFFDK.....",
        ".Y...KsSSSSSSSSsK.....",
        ".....KSSSSSSSSSSTK....",
        ".....KCCCCFFFFFFDK....",
        "....KNCCCPFFFFFFDK....",
        "....KCKWKLFFFFFFDK....",
        "....KCWKWFFFFFFFDK....",
        "..KK.KKWKLFFFFFDK.....",
        ".KLLKKLFLFFFFFFFLK....",
        "..KLK.KLFFDDFFFDK.....",
        "...K..KLFDKKLFDK......",
        ".......KLK..KLK.......",
        "........K....K........",
    }},
    {31, 7, 0, {
        "...K..........K...",
        "..KLK........KLK..",
        "..KFK........KFK..",
        "..KFK........KFK..",
        "..KFK.K....K.KFK..",
        "..KDKKDK..KDKKDK..",
        "..KDKDLDKKDFDKDK..",
        "...KDLFFFFFFDDK...",
        "...KLFFFFFFWWFK...",
        "...KLFFFFFWWKWK...",
        "..KLFFFFFFWKKWCK..",
        "..KLFFFFFFFWWCCK..",
        "..KFFFFFFFPCKKNK..",
        "..KDFFFFFFCCKCK...",
        "..KTwSSSSSSSSwK...",
        "..wKsaSSSSSSasKw..",
        ".a.KDFFFFFCCCCK.a.",
        "...KDDFFFFCCCK....",
        "..waaaaaaaaaaaaw..",
        "wwa..KKKKKKK...aww",
    }},
    {32, 6, 2, {
        "....K..........K.....",
        "...KLK........KLK....",
        "...KFK........KFK....",
        "...KFK........KFK....",
        "...KFK.K....K.KFK....",
        "...KDKKDK..KDKKDK....",
        "...KDKDLDKKDFDKDK....",
        "....KDLFFFFFFDDK.....",
        "....KLFFFFFFFFFK.....",
        "....KLFFFFFFKFFK.....",
        "...KLFFFFFFFFKKCK.w..",
        ".w.KLFFFFFFFKFFCK....",
        "...KFFFFFFFPCCCNK....",
        "...KDFFFFFFCKKCK....w",
        "w..KTSSSSSSSSSSK.....",
        "....KsSSSSSSSSsK.....",
        "...waaaaaaaaaaaaw....",
        ".wwa............aww..",
    }},
    {33, 9, 5, {
        ".K..........K...",
        "KLK........KLK..",
        "KFK........KFK..",
        "KFK........KFK..",
        "KFK.K....K.KFK..",
        "KDKKDK..KDKKDK..",
        "KDKDLDKKDFDKDK..",
        ".KDLFFFFFFDDK.a.",
        ".KLFFFFFFFFFKa.w",
        ".KLFFFFFFKFFK.a.",
        "KLFFFFFFFFKKCK..",
        "KLFFFFFFFKFFCK..",
        "KFFFFFFFPCCCNK..",
        "KDFFFFFFCKKCK...",
        "aaawwwwwwwwwaaa.",
    }},
    {34, 9, 8, {
        ".K..........K...",
        "KLK........KLK..",
        "KFK........KFa..",
        "KFK........KaKw.",
        "KFK.K....K.KFa..",
        "KDKKDK..KDKKDK..",
        "KDKDLDKKDFDKDK.w",
        ".KDLFFFFFFDDK...",
        ".KLFFFFFFFFFK...",
        ".KLFFFFFFKFFK...",
        "KLFFFFFFFFKKCK..",
        "aaawwwwwwwwwaaa.",
    }},
    {35, 9, 7, {
        "........a......",
        ".......a.w.....",
        "........a......",
        "...............",
        ".K..........K..",
        "KLK.......wKLK.",
        "KFK........KFK.",
        "KFK..w.....KFK.",
        "KFK.K....K.KFK.",
        "KDKKDK..KDKKDK.",
        "KDKDLDKKDFDKDK.",
        ".KDLFFFFFFDDK..",
        "aaawwwwwwwwwaaa",
    }},
    {36, 9, 4, {
        ".........a.....",
        "........a.w....",
        ".........a.....",
        "...............",
        "...............",
        ".....w.........",
        "...............",
        "...............",
        "...............",
        ".......a.......",
        ".K....a.w...K..",
        "KLK....a...KLK.",
        "KFK........KFK.",
        "KFK........KFK.",
        "KFK........KFK.",
        "aaawwwwwwwwwaaa",
    }},
};
// clang-format on

Canvas render_drawn(const Drawn& d) {
    Canvas c(32, 32);
    draw_grid(c, d.x, d.y, d.rows.data(), int(d.rows.size()), DRAWN_LEGEND);
    return c;
}

const Drawn* drawn_frame(int f) {
    for (const Drawn& d : DRAWN)
        if (d.frame == f) return &d;
    return nullptr;
}

void lift_platform(Canvas& c, int y0) {
    // the lift decor's plate, one row under the boots, centred on the creature
    draw_lift_plate(c, 4, y0 + 1);
}

}  // namespace

Canvas draw_player() {
    Canvas c(32, 1200);
    for (int f = 0; f < 37; ++f) {
        const Drawn* d = drawn_frame(f);
        blit(c, d ? render_drawn(*d) : render(frame_pose(f)), 0, 0, 32, 32, 0, 32 * f);
    }
    lift_platform(c, 1184);
    return c;
}

Canvas draw_player2() {
    Canvas c = sheet_canvas("player.bmp");
    for (int f = 0; f < 37; ++f) mirror_cell(c, 0, 32 * f, 32, 32);
    return c;
}

Canvas draw_mplayer() {
    Canvas c(32, 384, SEA_D);
    blit(c, sheet_canvas("player.bmp"), 0, 0, 32, 384, 0, 0);
    return c;
}
