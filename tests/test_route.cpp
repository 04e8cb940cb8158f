// Every tower climbed through the whole game loop by its scripted route,
// from the submarine to the exit door and the tower's sinking, and the
// first interlevel, played by a route of its own. The state of every
// frame is kept as a golden trace: any change in how the creature, the map,
// the submarine, the fish or the clock behave on the way shows as the first
// frame that differs; scripts/update-golden rewrites it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Ascelon.h"
#include "Ascelon_state.h"
#include "gfx.h"
#include "golden.h"
#include "map.h"
#include "nmis.h"
#include "panel.h"
#include "player.h"
#include "player_internal.h"
#include "sim.h"

namespace {

// Units left on the clock (the drums read 8 per digit).
int clock_units() { return time_level[0] / 8 * 100 + time_level[1] / 8 * 10 + time_level[2] / 8; }

struct RouteRun {
    sim_result result;
    std::string trace;
};

// Knocks seen while a route plays: a knock costs no life by itself but
// throws the creature off its way, so no committed route takes one.
//
// Where the way stands still for long (a wait for a lift to sink, on a lone
// step), the flyers keep coming, and one launched there cannot be dodged.
// Such a knock must cost a climb, not a life: at each long wait the creature
// is knocked as a flyer knocks it, played on to where it stands again, and
// the game put back as it was.
struct KnockWatch {
    int knocks = 0;
    uint16_t anim = 0;
    int16_t x = -1, y = -1;
    uint32_t still = 0;
    int waits = 0;
    std::string drowned;  // the rows of the waits a flyer's knock drowns from
};

constexpr uint32_t LONG_WAIT = 60;

bool flyer_knock_drowns() {
    const auto kept = std::make_unique<game_state>();
    save_game_state(*kept);
    lg_seq_heurte = 15;  // a flyer's knock
    knock();
    bool drowned = false;
    for (int f = 0; f < 600; ++f) {
        if (!game_frame(0) || player_num_anim == ANIM_DROWN) {
            drowned = true;
            break;
        }
        if (player_num_anim == ANIM_IDLE) break;
    }
    restore_game_state(*kept);
    return drowned;
}

void watch_knocks(uint32_t, void* user) {
    KnockWatch& k = *static_cast<KnockWatch*>(user);
    if (player_num_anim == ANIM_KNOCKED && k.anim != ANIM_KNOCKED) ++k.knocks;
    k.anim = player_num_anim;
    const bool same = player_map_x == k.x && player_map_y == k.y;
    k.still = player_num_anim == ANIM_IDLE && same && flag_finish_level == 0 ? k.still + 1 : 0;
    k.x = player_map_x;
    k.y = player_map_y;
    if (k.still == LONG_WAIT) {
        ++k.waits;
        if (flyer_knock_drowns()) k.drowned += " " + std::to_string(player_map_y / 4 - 1);
    }
}

RouteRun play_route(const std::string& route, uint16_t mission, uint16_t tower, KnockWatch& k) {
    std::string error;
    sim_options options;
    EXPECT_TRUE(parse_input_script(read_file(route), options.input, error))
        << route << ": " << error;
    options.mission = mission;
    options.tower = tower;
    options.frames = 8000;
    options.after_frame = watch_knocks;
    options.user = &k;
    // A fresh game: what earlier attempts in this process left behind must
    // not steer this one, as the finder's attempts start.
    sim_fresh_game();
    char* buffer = nullptr;
    size_t size = 0;
    options.trace = open_memstream(&buffer, &size);
    RouteRun run{sim_run(options), {}};
    std::fclose(options.trace);
    run.trace.assign(buffer, size);
    std::free(buffer);
    return run;
}

// Every tower of both missions climbed by its committed route, enemies and
// all, from the submarine through the exit door and the tower's sinking,
// with no life lost and no knock. The clock must matter: a good way leaves a
// fifth to three fifths of the allowance (the first tower, easier, keeps at
// least a quarter). Each route's trace is golden.
TEST(GoldenRoute, EveryTowerClimbedWithItsEnemies) {
    const std::string dir = ASCELON_SOURCE_DIR "/tests/";
    for (uint16_t mission = 0; mission < 2; ++mission) {
        for (uint16_t tower = 0; tower < 8; ++tower) {
            const std::string name =
                "m" + std::to_string(mission + 1) + "_t" + std::to_string(tower);
            SCOPED_TRACE(name);
            const std::string route = dir + "routes/" + name + ".input";
            ASSERT_FALSE(read_file(route).empty()) << "no route " << route;
            KnockWatch knocks;
            const RouteRun run = play_route(route, mission, tower, knocks);
            EXPECT_EQ(run.result.end, sim_end::finished) << sim_end_name(run.result.end);
            EXPECT_EQ(flag_finish_level, 4);
            EXPECT_EQ(flag_player_dead, 0);
            EXPECT_EQ(lives, 3);
            EXPECT_EQ(knocks.knocks, 0);
            EXPECT_EQ(knocks.drowned, "")
                << "rows of waits a flyer knocks the creature into the sea from";
            if (name == "m1_t5") {
                EXPECT_EQ(knocks.waits, 6) << "the lift waits, each probed";
            }
            EXPECT_EQ(nb_tiles_tour, 6) << "the tower sinks to its last rows";
            const int allowance = 400 + 50 * tower;
            const int left = clock_units();
            if (mission == 0 && tower == 0) {
                EXPECT_GE(left * 4, allowance);
            } else {
                EXPECT_GE(left * 5, allowance) << left << " of " << allowance;
                EXPECT_LE(left * 5, allowance * 3) << left << " of " << allowance;
            }
            std::printf("%s: %u frames, %d of %d clock units left, score %08X\n", name.c_str(),
                        run.result.frames_run, left, allowance, get_score());
            // A difference is reported as the frame whose trace line first differs.
            const std::vector<uint8_t> bytes(run.trace.begin(), run.trace.end());
            EXPECT_TRUE(golden_match(name + ".trace", bytes, [&](size_t offset) {
                return trace_line_at(run.trace, offset);
            }));
        }
    }
}

}  // namespace

namespace {

// What the interlevel route does to the fish, seen frame by frame.
struct FishTally {
    int stunned[3] = {};
    int caught[3] = {};
    int16_t status[3] = {};
    int16_t type[3] = {};
    uint32_t shot_frame = 0;
    std::vector<uint8_t> screen;
};

void tally_fish(uint32_t frame, void* user) {
    FishTally& t = *static_cast<FishTally*>(user);
    for (int i = 0; i < 3; ++i) {
        const str_sprite& f = tab_sprites[i];
        if (t.status[i] == 1 && f.status == 2) ++t.stunned[f.type];
        // A record freed in the frame is either caught or gone off the left.
        if (t.status[i] == 2 && f.status == 0 && f.crdx > -24) ++t.caught[t.type[i]];
        t.status[i] = f.status;
        t.type[i] = f.type;
    }
    if (frame == t.shot_frame) {
        SDL_LockSurface(screen);
        t.screen =
            golden_bmp565(static_cast<const uint16_t*>(screen->pixels), 320, 240, screen->pitch);
        SDL_UnlockSurface(screen);
    }
}

// The first interlevel of a run, played from a script after the first
// tower: the fish it catches lengthen the second tower's clock. The trace
// and one screen (the submarine with its torpedo under way, a stunned fish
// at its bow and another fish coming) are golden.
TEST(GoldenRoute, InterlevelStunsAndCatchesEveryKindOfFish) {
    const std::string dir = ASCELON_SOURCE_DIR "/tests/";
    std::string error;
    sim_options options;
    ASSERT_TRUE(
        parse_input_script(read_file(dir + "routes/interlevel.input"), options.input, error))
        << error;
    options.interlevel = true;
    options.idx_fish = 0;
    options.frames = 2000;
    lives = 3;
    reset_score();
    FishTally tally;
    tally.shot_frame = 716;
    options.after_frame = tally_fish;
    options.user = &tally;
    char* buffer = nullptr;
    size_t size = 0;
    options.trace = open_memstream(&buffer, &size);
    const sim_result result = sim_run(options);
    std::fclose(options.trace);
    const std::string trace(buffer, size);
    std::free(buffer);

    EXPECT_EQ(result.end, sim_end::interlevel_over) << sim_end_name(result.end);
    int time = 0, points = 0;
    for (int type = 0; type < 3; ++type) {
        EXPECT_GE(tally.stunned[type], 1) << "type " << type;
        EXPECT_GE(tally.caught[type], 1) << "type " << type;
        time += tally.caught[type] * (2 * type + 2);
        points += tally.caught[type] * 10 * type;
        std::printf("type %d: %d stunned, %d caught\n", type, tally.stunned[type],
                    tally.caught[type]);
    }
    EXPECT_EQ(clock_units(), time);
    uint32_t packed = 0;
    for (int d = points, shift = 0; d; d /= 10, shift += 4)
        packed |= static_cast<uint32_t>(d % 10) << shift;
    EXPECT_EQ(get_score(), packed);
    // The game flow then starts the second tower: its allowance on top.
    init_panel();
    set_time_level(1);
    EXPECT_EQ(clock_units(), 450 + time);

    const std::vector<uint8_t> bytes(trace.begin(), trace.end());
    EXPECT_TRUE(golden_match("interlevel.trace", bytes,
                             [&](size_t offset) { return trace_line_at(trace, offset); }));
    ASSERT_FALSE(tally.screen.empty());
    EXPECT_TRUE(golden_match("interlevel_fish.bmp", tally.screen,
                             [](size_t offset) { return golden_bmp565_pixel(offset, 320, 240); }));
}

}  // namespace
