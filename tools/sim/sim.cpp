#include "sim.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "Ascelon.h"
#include "controls.h"
#include "gfx.h"
#include "map.h"
#include "nmis.h"
#include "panel.h"
#include "player.h"
#include "tour.h"

bool parse_input_script(const std::string& text, input_script& script, std::string& error) {
    script.changes.clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string frame_word, buttons_word, extra;
        if (!(words >> frame_word)) continue;
        uint64_t frame = 0;
        if (!(words >> buttons_word) || (words >> extra)) {
            error = "line " + std::to_string(number) + ": expected FRAME BUTTONS";
            return false;
        }
        if (!parse_number(frame_word, UINT32_MAX, frame)) {
            error = "line " + std::to_string(number) + ": bad frame number '" + frame_word +
                    "' (0 to " + std::to_string(UINT32_MAX) + ")";
            return false;
        }
        uint32_t bits = 0;
        for (char c : buttons_word) {
            switch (c) {
            case 'L': bits |= CTRL_LEFT; break;
            case 'R': bits |= CTRL_RIGHT; break;
            case 'U': bits |= CTRL_UP; break;
            case 'D': bits |= CTRL_DOWN; break;
            case 'F': bits |= CTRL_FIRE; break;
            case 'S': bits |= SIM_SELECT; break;
            case '+':
            case '-': break;
            default:
                error = "line " + std::to_string(number) + ": unknown button '" + c + "'";
                return false;
            }
        }
        if (!script.changes.empty() && frame <= script.changes.back().first) {
            error = "line " + std::to_string(number) + ": frames must increase";
            return false;
        }
        script.changes.emplace_back(static_cast<uint32_t>(frame), bits);
    }
    return true;
}

bool parse_number(const std::string& text, uint64_t max, uint64_t& value) {
    if (text.empty() || text.size() > 20) return false;
    uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (digit > max || v > (max - digit) / 10) return false;
        v = v * 10 + digit;
    }
    value = v;
    return true;
}

uint64_t random_buttons::next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint32_t random_buttons_at(uint32_t frame, void* generator) {
    random_buttons& g = *static_cast<random_buttons*>(generator);
    if (frame >= g.next_change) {
        const uint64_t r = g.next();
        static const uint32_t bit_of[5] = {CTRL_LEFT, CTRL_RIGHT, CTRL_UP, CTRL_DOWN, CTRL_FIRE};
        g.bits = 0;
        for (int k = 0; k < 5; ++k)
            if (r >> k & 1) g.bits |= bit_of[k];
        g.next_change = frame + 1 + static_cast<uint32_t>((r >> 8) & 31);
    }
    return g.bits;
}

uint32_t script_buttons(const input_script& script, uint32_t frame) {
    uint32_t bits = 0;
    for (const auto& change : script.changes) {
        if (change.first > frame) break;
        bits = change.second;
    }
    return bits;
}

const char* sim_end_name(sim_end end) {
    switch (end) {
    case sim_end::frames: return "frames";
    case sim_end::finished: return "finished";
    case sim_end::dead: return "dead";
    case sim_end::timeup: return "timeup";
    case sim_end::exit: return "exit";
    case sim_end::interlevel_over: return "interlevel-over";
    case sim_end::game_over: return "game-over";
    }
    return "?";
}

void sim_start_video() {
    static bool started = false;
    if (started) return;
    started = true;
    frame_pace = nullptr;  // the tools run the game's frames unpaced
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    init_gfx();
    init_sprites();
}

void sim_trace_line(std::FILE* out, uint32_t frame) {
    std::fprintf(out,
                 "%u anim=%u fr=%d spr=%u x=%d y=%d sens=%u aff=%u lift=%d,%u fin=%u dead=%u "
                 "run=%u clock=%d,%d,%d rot=%u oy=%d rows=%u score=%08X lives=%u",
                 frame, player_num_anim, player_num_frame, player_num_spr, player_map_x,
                 player_map_y, flag_player_sens, flag_player_aff, flag_player_ascenseur,
                 flag_player_ascenseur2, flag_finish_level, flag_player_dead, flag_decrement_time,
                 time_level[0], time_level[1], time_level[2], tower_rotation, tower_offset_y,
                 nb_tiles_tour, get_score(), lives);
    if (tab_sprites)
        for (int i = 0; i < NB_SPRITES_TAB; ++i) {
            const str_sprite& s = tab_sprites[i];
            if (s.status != 0)
                std::fprintf(out, " s%d=%d,%d,%d,%d,%d,%d", i, s.status, s.type, s.crdx, s.crdy,
                             s.dpl, s.cpt);
        }
    std::fputc('\n', out);
}

void sim_trace_il_line(std::FILE* out, uint32_t frame) {
    std::fprintf(out, "%u il=%u n=%u sub=%d,%d incy=%u idx=%u timer=%u clock=%d,%d,%d score=%08X",
                 frame, flag_player_ilstate, num_il_frame, player_scr_x, player_scr_y,
                 incy_il_subway, idx_fish, timer_fishs, time_level[0], time_level[1], time_level[2],
                 get_score());
    // Fish 0 to 2: status, type, x, y, step, animation clock; 3 the bullet.
    for (int i = 0; i < 3; ++i) {
        const str_sprite& f = tab_sprites[i];
        if (f.status != 0)
            std::fprintf(out, " f%d=%d,%d,%d,%d,%d,%d", i, f.status, f.type, f.crdx, f.crdy, f.dpl,
                         f.num_spr);
    }
    const str_sprite& b = tab_sprites[3];
    if (b.status != 0) std::fprintf(out, " b=%d,%d", b.crdx, b.crdy);
    std::fputc('\n', out);
}

static void after_frame(const sim_options& options, uint32_t frame) {
    const auto shot = options.shots.find(frame);
    if (shot != options.shots.end()) SDL_SaveBMP(screen, shot->second.c_str());
    if (options.trace) {
        if (options.interlevel)
            sim_trace_il_line(options.trace, frame);
        else
            sim_trace_line(options.trace, frame);
    }
    if (options.after_frame) options.after_frame(frame, options.user);
}

// The frame's held controls from the script; SELECT is latched into
// exit_game as the controls do on the console.
static uint32_t scripted_input(const sim_options& options, uint32_t frame) {
    const uint32_t bits = options.buttons ? options.buttons(frame, options.buttons_user)
                                          : script_buttons(options.input, frame);
    if (bits & SIM_SELECT) exit_game = 1;
    return bits & ~SIM_SELECT;
}

static void place_creature(int16_t x, int16_t y) {
    player_map_x = static_cast<int16_t>(x & 0x7f);
    player_map_y = static_cast<int16_t>(y & 0x3ff);
    player_num_anim = ANIM_IDLE;
    player_num_frame = 0;
    player_num_spr = 12;
    flag_player_aff = 1;
    flag_decrement_time = 1;
    top_climb = static_cast<uint16_t>(std::max<int16_t>(8, player_map_y));
    set_clip(0, 0, 320, 240);
    // The camera starts settled on the creature.
    tower_offset_y = static_cast<int16_t>(80 - 2 * std::max<int16_t>(player_map_y, 8));
    tower_rotation = (36 - player_map_x) & 127;
}

sim_result sim_run(const sim_options& options) {
    sim_start_video();
    exit_game = 0;
    ctrl_player = 0;
    sim_result result{sim_end::frames, 0};

    if (options.interlevel) {
        // As the game flow runs it after a climbed tower: the clock cleared
        // for the fish time, and the submarine where the tower's end
        // sequence leaves it.
        if (lives == 0) lives = 3;
        if (options.idx_fish >= 0) idx_fish = static_cast<uint16_t>(options.idx_fish);
        set_time(0);
        player_scr_x = 0;
        player_scr_y = -20;
        interlevel_init();
        for (uint32_t f = 0; f < options.frames; ++f) {
            if (flag_player_ilstate == 2) {
                result.end = sim_end::interlevel_over;
                break;
            }
            const bool go = interlevel_frame(scripted_input(options, f));
            ++result.frames_run;
            after_frame(options, f);
            if (!go) {
                result.end = sim_end::exit;
                break;
            }
        }
        black_screen();
        return result;
    }

    // An attempt as the game flow starts it, on a cleared clock.
    if (lives == 0) lives = 3;
    lvl = options.tower & 7;
    set_time(0);
    attempt_start(options.mission, lvl);
    if (options.place) place_creature(options.place_x, options.place_y);
    if (options.before_first_frame) options.before_first_frame(options.user);

    for (uint32_t f = 0; f < options.frames; ++f) {
        if (flag_finish_level == 4) {
            result.end = sim_end::finished;
            break;
        }
        const bool go = game_frame(scripted_input(options, f));
        ++result.frames_run;
        after_frame(options, f);
        if (!go) {
            result.end = exit_game ? sim_end::exit : flag_timeup ? sim_end::timeup : sim_end::dead;
            break;
        }
    }
    if (result.end == sim_end::frames && flag_finish_level == 4) result.end = sim_end::finished;
    black_screen();
    return result;
}

// A whole game through the game flow: the script's frames count on across
// towers and interlevels; the limit of frames acts as SELECT would.
namespace {
struct game_run {
    const sim_options* options;
    uint32_t frame;
    bool interlevel;  // which loop runs
};
game_run running;

uint32_t game_input() {
    if (running.frame >= running.options->frames) {
        exit_game = 1;
        return 0;
    }
    return scripted_input(*running.options, running.frame);
}

void game_frame_done() {
    const sim_options& options = *running.options;
    if (running.frame >= options.frames) return;  // the stop, not a frame
    const auto shot = options.shots.find(running.frame);
    if (shot != options.shots.end()) SDL_SaveBMP(screen, shot->second.c_str());
    if (options.trace) {
        std::fprintf(options.trace, "%s lvl=%u lives=%u ", running.interlevel ? "il" : "tower", lvl,
                     lives);
        if (running.interlevel)
            sim_trace_il_line(options.trace, running.frame);
        else
            sim_trace_line(options.trace, running.frame);
    }
    if (options.after_frame) options.after_frame(running.frame, options.user);
    ++running.frame;
}

void game_tower(uint16_t mission, uint16_t tower) {
    running.interlevel = false;
    game(mission, tower);
}

void game_interlevel() {
    running.interlevel = true;
    interlevel();
}
}  // namespace

sim_result sim_run_game(const sim_options& options) {
    sim_start_video();
    exit_game = 0;
    ctrl_player = 0;
    running = game_run{&options, 0, false};
    play_game_with(options.mission, {game_input, game_frame_done, game_tower, game_interlevel});
    const bool stopped = exit_game != 0;
    exit_game = 0;
    sim_end end = sim_end::game_over;
    if (stopped) end = running.frame >= options.frames ? sim_end::frames : sim_end::exit;
    return sim_result{end, running.frame};
}

void play_game_with(uint16_t mission, const game_flow_hooks& hooks) {
    const game_flow_hooks kept{frame_input, frame_done, play_tower, play_interlevel};
    const uint16_t kept_mission = num_mission;
    frame_input = hooks.input;
    frame_done = hooks.done;
    play_tower = hooks.tower;
    play_interlevel = hooks.interlevel;
    num_mission = mission;
    play_game();
    num_mission = kept_mission;
    frame_input = kept.input;
    frame_done = kept.done;
    play_tower = kept.tower;
    play_interlevel = kept.interlevel;
}

void sim_fresh_game() {
    lives = 3;
    reset_score();
    vitesse_chute = dplx_chute = cpt_chute = 0;
    flag_player_fire = 0;
    idx_fish = 0;
    if (tab_sprites) std::memset(tab_sprites, 0, NB_SPRITES_TAB * sizeof(str_sprite));
}
