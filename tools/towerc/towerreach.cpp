// The creature's moves replayed on a tower source, and a search for the exit.
#include "towerreach.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <unordered_map>

namespace {

// Support verdicts under the creature by (x & 7) * 4 + (2 if the left cell
// supports) + (1 if the right cell does); low nibble facing right, high facing left.
constexpr uint8_t tab_edges[32] = {
    0x11, 0x00, 0x32, 0x00, 0x11, 0x00, 0x32, 0x00, 0x11, 0x00, 0x32, 0x00, 0x11, 0x00, 0x11, 0x00,
    0x11, 0x00, 0x11, 0x00, 0x11, 0x00, 0x11, 0x00, 0x11, 0x23, 0x00, 0x00, 0x11, 0x23, 0x00, 0x00,
};
constexpr int8_t dpl_saut1[12] = {3, 2, 2, 1, 1, 0, 0, -1, -1, -2, -2, -3};  // long jump
constexpr int8_t dpl_saut2[8] = {2, 2, 1, 0, -1, -2, -2, 0};                 // hop

enum { IDLE = 0, JUMP = 1, FALL = 2, TURN = 3, TUNNEL = 4, THROW = 5, LIFT = 6 };

// The creature on a private copy of the tower. Cells it changes (breaking
// steps, lift cells) are logged so that the tower can be put back as built.
struct Creature {
    uint8_t map[TOWER_COLUMNS][TOWER_MAX_ROWS];
    std::vector<std::pair<int, uint8_t>> changed;
    int16_t x = 4, y = 8;
    uint8_t facing = 0;  // 0 right, 1 left
    int state = IDLE;
    int16_t frame = 0;
    int16_t dpl_x = 0, lg_seq = 0, petit = 0;
    int16_t vitesse = 0, dplx_chute = 0, cpt_chute = 0;
    int16_t crdx_togo = 0, lift_dir = 0;
    int middle_stop = -1;  // the middle stop to leave the lift at, -1 for the top
    int middles_passed = 0;
    bool dead = false, knocked = false, exit = false;
    uint16_t held = 0;  // what the creature holds in this frame (for the route)
    int16_t shot_x = 0, shot_y = 0, shot_dpl = 0, shot_cpt = -1;

    uint8_t cell(int c, int r) const { return r < 0 ? 0 : map[c & 15][r & 255]; }
    void set(int c, int r, uint8_t v) {
        if (r < 0) return;
        changed.push_back({(c & 15) * TOWER_MAX_ROWS + (r & 255), map[c & 15][r & 255]});
        map[c & 15][r & 255] = v;
    }
    void restore() {
        for (size_t i = changed.size(); i-- > 0;)
            map[changed[i].first / TOWER_MAX_ROWS][changed[i].first % TOWER_MAX_ROWS] =
                changed[i].second;
        changed.clear();
    }
    uint8_t under() const { return cell(x / 8, y / 4 - 1); }
    void set_under(uint8_t v) { set(x / 8, y / 4 - 1, v); }

    // A box against the decor: steps stop it in every scanned column, blocks
    // and lifts only inside their part of the column; a shot destroys the
    // first destructible block it meets.
    bool col_vs_decor(int bx, int by, int dx_left, int dx_right, int height_class, int sub_x,
                      int sub_w) {
        int first = ((bx + dx_left) / 8) & 15, end = ((bx + dx_right) / 8 + 1) & 15;
        int base = by / 4, n;
        if (height_class == 0)
            n = (by & 3) == 3 ? 3 : 2;
        else
            n = (by & 3) != 0 ? 1 : 0;
        for (int c = first; c != end; c = (c + 1) & 15)
            for (int k = n; k >= 0; k--) {
                uint8_t v = cell(c, base + k);
                if (!(v & 0x80)) continue;
                uint8_t t = v & 15;
                if (t == 1) return true;
                if ((t & 3) == 3) continue;
                if (bx < c * 8 + sub_x || bx > c * 8 + sub_x + sub_w) continue;
                if (height_class == 2 && t != 0 && ((t & 3) == 0 || (t & 3) == 2))
                    set(c, base + k, 0);
                return true;
            }
        return false;
    }
    bool col_decor() { return col_vs_decor(x, y, -3, 2, 0, 0, 9); }

    bool movex(int dx) {
        int16_t x0 = x;
        x = (x + dx) & 0x7f;
        if (col_decor()) {
            x = x0;
            return true;
        }
        return false;
    }
    bool movey(int dy) {
        if (y + dy < 0) {  // into the sea
            dead = true;
            y = 0;
            return false;
        }
        int16_t y0 = y;
        y = (y + dy) & 0x3ff;
        if (col_decor()) {
            y = y0;
            return true;
        }
        return false;
    }
    bool supports(int c, int r) const {
        uint8_t v = cell(c, r);
        return (v & 0x80) && (v & 3) != 3;
    }
    int edge() const {
        int row = y / 4 - 1, left = ((x + 122) / 8) & 15, right = (left + 1) & 15;
        int s = (supports(left, row) ? 2 : 0) + (supports(right, row) ? 1 : 0);
        uint8_t v = tab_edges[(x & 7) * 4 + s];
        return facing ? v >> 4 : v & 15;
    }
    bool standing() const {
        uint8_t u = under();
        return edge() == 0 && !((u & 0x80) && (u & 3) == 1 && (u & 0x30) == 0x10);
    }
    int slide() const {
        uint8_t v = under();
        if (!(v & 0x80) || (v & 3) != 1) return 0;
        if ((v & 0x30) == 0x20) return -1;
        if ((v & 0x30) == 0x30) return 1;
        return 0;
    }

    void idle(uint16_t ctrl) {
        uint8_t u = under();
        if ((u & 0x80) && (u & 3) == 1 && (u & 0x30) == 0x10) set_under(0);  // breaks at once
        int e = edge();
        if (e) {
            int ahead = facing ? -1 : 1;
            dplx_chute = e == 1 ? 0 : e == 2 ? ahead : -ahead;
            vitesse = 1;
            cpt_chute = -1;
            state = FALL;
            frame = 0;
            return;
        }
        int p = slide();
        if (p && !(ctrl & 3)) movex(p);
        if (ctrl & 3) {
            int d = (ctrl & REACH_LEFT) ? -1 : 1;
            if ((d < 0) != (facing == 1)) {
                state = TURN;
                frame = 0;
                return;
            }
            if (ctrl & REACH_FIRE) {
                state = JUMP, dpl_x = d, frame = 0, lg_seq = 12, petit = 0;
            } else if (movex(d)) {
                state = JUMP, dpl_x = d, frame = 0, lg_seq = 8, petit = 1;
            }
            return;
        }
        if (ctrl & REACH_FIRE) {
            if (shot_cpt == -1) state = THROW, frame = 0;
            return;
        }
        if (ctrl & (REACH_UP | REACH_DOWN)) {
            int d = (ctrl & REACH_UP) ? 1 : -1;
            uint8_t v = under();
            int lift = v == 0x85 ? 1 : v == 0x89 ? -1 : v == 0x8D ? 0 : 2;
            if (lift != 2 && (lift == 0 || lift == d)) {
                lift_dir = d, frame = 0, state = LIFT;
                return;
            }
            uint8_t own = cell(x / 8, y / 4);
            if ((ctrl & REACH_UP) && (own & 3) == 3) {
                if (own & 0x40) exit = true;
                state = TUNNEL;
                frame = 0;
            }
        }
    }
    void jump() {
        movex(dpl_x);
        int dy = petit ? dpl_saut2[frame] : dpl_saut1[frame];
        for (;;) {
            if (!movey(dy)) break;
            if (dy < 0) {
                if (++dy == 0) {
                    state = IDLE, frame = 0;
                    return;
                }
            } else {
                dy--;
            }
            if (dy == 0) break;
        }
        if (dead) return;
        if (++frame == lg_seq) {
            state = FALL;
            if (!movey(-1)) vitesse = 3, dplx_chute = 0, cpt_chute = -1;
            frame = 0;
        }
    }
    void fall() {
        if (frame == 0) {
            cpt_chute++;
            if (movex(dplx_chute)) dplx_chute = 0;
            for (;;) {
                if (!movey(-vitesse)) {
                    vitesse = std::min(vitesse + 1, 4);
                    return;
                }
                if (--vitesse == 0) break;
            }
            if (dplx_chute && cpt_chute <= 1) {
                vitesse = std::min(vitesse + 1, 4);
                return;
            }
            frame = 1;
        }
        if (++frame == 3) state = IDLE, frame = 0;
    }
    void throw_shot(uint16_t ctrl) {
        int p = slide();
        if (p && !(ctrl & 3)) movex(p);
        if (frame == 3) {
            state = IDLE, frame = 0;
            return;
        }
        if (frame == 1) {
            shot_y = y;
            shot_x = facing ? (x - 1) & 0x7f : (x + 1) & 0x7f;
            shot_dpl = facing ? -2 : 2;
            shot_cpt = 0;
        }
        frame++;
    }
    // The shot flies 12 steps, three columns, rising 4 units on the way.
    void move_shot() {
        static constexpr int8_t dpl_fire[12] = {0, 1, 0, 1, 0, 1, 0, 0, 1, 0, 0, 0};
        if (shot_cpt == -1) return;
        if (shot_cpt == 12) {
            shot_cpt = -1;
            return;
        }
        shot_x = (shot_x + shot_dpl) & 0x7f;
        shot_y = (shot_y + dpl_fire[shot_cpt]) & 0x3ff;
        shot_cpt++;
        if (col_vs_decor(shot_x, shot_y, -1, 0, 2, 2, 5)) shot_cpt = -1;
    }
    void turn() {
        if (++frame == 4) facing ^= 1;
        if (frame == 7) state = IDLE, frame = 0;
    }
    void tunnel() {
        if (frame <= 3) {
            if ((x & 7) <= 3)
                movex(1);
            else if ((x & 7) > 4)
                movex(-1);
            frame++;
            return;
        }
        if (frame <= 6) frame = 7, crdx_togo = (x + 64) & 0x7f;
        if (frame <= 12) {
            frame++;
            return;
        }
        if (frame <= 28) {
            x = facing ? (x + 2) & 0x7f : (x - 2) & 0x7f;
            if (x == crdx_togo) frame = 29;
            return;
        }
        if (frame <= 34) frame++;
        if (frame <= 35) {
            if (!movey(-4)) return;  // drops one row per frame out of the door
            frame++;
            return;
        }
        if (frame <= 39) {
            frame++;
            return;
        }
        state = IDLE, frame = 0;
    }
    void lift() {
        if (frame == 0) {
            if ((x & 7) <= 3) {
                x = (x + 1) & 0x7f;
                return;
            }
            if ((x & 7) > 4) {
                x = (x - 1) & 0x7f;
                return;
            }
            frame = 1;
            set_under((under() & 0x0C) | (lift_dir > 0 ? 0x80 : 0));
        }
        y = (y + lift_dir) & 0x3ff;
        if (y & 3) return;
        uint8_t c = under() & 0x0C;
        bool stop;
        if (lift_dir < 0) {
            stop = c == 0x04;
        } else {
            stop = c == 0x08;
            if (c == 0x0C) {
                stop = middles_passed++ == middle_stop;
                if (stop) held = 0;
            }
        }
        if (!stop) {
            set_under(lift_dir < 0 ? c : c | 0x80);
            return;
        }
        set_under(c | 0x81);
        state = IDLE, frame = 0;
    }

    void step(uint16_t ctrl) {
        held = ctrl;
        switch (state) {
        case IDLE: idle(ctrl); break;
        case JUMP: jump(); break;
        case FALL: fall(); break;
        case TURN: turn(); break;
        case TUNNEL: tunnel(); break;
        case THROW: throw_shot(ctrl); break;
        case LIFT: lift(); break;
        }
        move_shot();
        // A lift carrying the creature into decor knocks it off.
        if (state == LIFT && col_decor()) knocked = true;
    }
};

// A standing creature, and where the last lift it rode stands (0: every lift
// at its bottom stop). A lift stays where its rider left it long enough to
// walk away, so the search keeps the lift column it leaves behind.
struct Node {
    int16_t x, y;
    uint8_t facing;
    int8_t dplx;
    uint16_t lift;   // where the last lift ridden stands
    uint16_t shots;  // which shootable blocks and shaft breaking steps are gone
};

uint64_t node_key(const Node& n) {
    return ((((((uint64_t(n.shots) << 16) + n.lift) * 1024 + uint64_t(n.y)) * 128 + uint64_t(n.x)) *
                 2 +
             n.facing) *
            3) +
           uint64_t(n.dplx + 1);
}

// Decisions taken in a standing frame: the first frame's controls (and for a
// lift ride, the middle stop to leave at).
struct Action {
    uint16_t ctrl;
    int middle_stop;
};
constexpr int MAX_MIDDLE_STOPS = 6;

struct Search {
    Creature cr;
    const TowerSource* tower = nullptr;
    std::vector<std::vector<std::pair<int, uint8_t>>> lifts{{}};  // cells of each lift position
    std::vector<int> blocks;  // shootable blocks and shaft breaking steps, as column * 256 + row
    std::vector<uint64_t> shot_sets{0};  // which of them are gone (bit i: blocks[i])

    uint16_t shots_id(uint64_t set) {
        for (size_t i = 0; i < shot_sets.size(); i++)
            if (shot_sets[i] == set) return uint16_t(i);
        shot_sets.push_back(set);
        return uint16_t(shot_sets.size() - 1);
    }
    void lay_out(const Node& n) {
        for (const auto& c : lifts[n.lift])
            cr.set(c.first / TOWER_MAX_ROWS, c.first % TOWER_MAX_ROWS, c.second);
        for (size_t i = 0; i < blocks.size(); i++)
            if (shot_sets[n.shots] >> i & 1)
                cr.set(blocks[i] / TOWER_MAX_ROWS, blocks[i] % TOWER_MAX_ROWS, 0);
    }

    uint16_t lift_id(const std::vector<std::pair<int, uint8_t>>& cells) {
        for (size_t i = 0; i < lifts.size(); i++)
            if (lifts[i] == cells) return uint16_t(i);
        lifts.push_back(cells);
        return uint16_t(lifts.size() - 1);
    }

    // Plays one decision from a standing node until the creature stands again.
    // Gives false when it drowns, is knocked off or never stands again.
    bool play(const Node& from, const Action& a, Node& to, std::vector<uint16_t>* inputs) {
        lay_out(from);
        cr.shot_cpt = -1;
        cr.x = from.x, cr.y = from.y, cr.facing = from.facing;
        cr.dplx_chute = from.dplx, cr.vitesse = 0, cr.cpt_chute = 2;
        cr.state = IDLE, cr.frame = 0, cr.dead = cr.knocked = cr.exit = false;
        cr.middle_stop = a.middle_stop, cr.middles_passed = 0;
        bool ok = false;
        int ridden = -1;
        for (int f = 0; f < 600; f++) {
            uint16_t ctrl = f == 0             ? a.ctrl
                            : cr.state == LIFT ? uint16_t(a.ctrl & (REACH_UP | REACH_DOWN))
                                               : 0;
            cr.step(ctrl);
            if (cr.state == LIFT) ridden = cr.x / 8;
            if (inputs) inputs->push_back(cr.held);
            if (cr.dead || cr.knocked) break;
            // Standing on a breaking step or over nothing is no place to decide
            // from: the next frame breaks or drops whatever is held.
            if (cr.exit || (cr.state == IDLE && cr.shot_cpt == -1 && cr.standing())) {
                ok = true;
                break;
            }
        }
        // A ride that never reached the chosen middle stop is the same as another decision.
        if (ok && a.middle_stop >= 0 && cr.middles_passed <= a.middle_stop) ok = false;
        to = {cr.x, cr.y, cr.facing, int8_t(cr.dplx_chute), from.lift, from.shots};
        uint64_t shot = shot_sets[from.shots];
        for (size_t i = 0; i < blocks.size(); i++)
            if (cr.map[blocks[i] / TOWER_MAX_ROWS][blocks[i] % TOWER_MAX_ROWS] == 0)
                shot |= uint64_t(1) << i;
        if (ok) to.shots = shots_id(shot);
        if (ok && ridden >= 0) {
            std::vector<std::pair<int, uint8_t>> cells;
            for (int r = 0; r < TOWER_MAX_ROWS; r++)
                if (cr.map[ridden][r] != tower->cell[ridden][r])
                    cells.push_back({ridden * TOWER_MAX_ROWS + r, cr.map[ridden][r]});
            to.lift = lift_id(cells);
        }
        // Once the creature has walked away from the last lift, the lift has
        // time to sink back to its bottom stop.
        if (ok && to.lift && ridden < 0) {
            int lift_column = lifts[to.lift].front().first / TOWER_MAX_ROWS;
            int away = (cr.x / 8 - lift_column) & 15;
            if (away > 1 && away < 15) to.lift = 0;
        }
        cr.restore();
        return ok;
    }
};

// A breaking step in a lift shaft has to stay broken for the lift to pass;
// elsewhere a broken step only matters for the fall it starts, so the search
// keeps track of the first kind only and stays small.
bool in_shaft(const TowerSource& t, int c, int r) {
    if (t.cell[c][r] != CODE_BREAKING) return false;
    for (int k = r - 1; k >= 0; k--) {
        if (t.cell[c][k] == CODE_LIFT) return true;
        if (t.cell[c][k] == CODE_TOP_STOP) return false;
    }
    return false;
}

}  // namespace

ReachResult reach_exit(const TowerSource& tower) {
    ReachResult result;
    static Search s;
    s = Search();
    s.tower = &tower;
    Creature& cr = s.cr;
    std::memcpy(cr.map, tower.cell, sizeof cr.map);
    for (int c = 0; c < TOWER_COLUMNS; c++)
        for (int r = 0; r < TOWER_MAX_ROWS; r++)
            if ((tower.cell[c][r] == CODE_SHOOTABLE || in_shaft(tower, c, r)) &&
                s.blocks.size() < 64)
                s.blocks.push_back(c * TOWER_MAX_ROWS + r);

    std::vector<Action> actions = {{REACH_LEFT, -1},
                                   {REACH_RIGHT, -1},
                                   {REACH_LEFT | REACH_FIRE, -1},
                                   {REACH_RIGHT | REACH_FIRE, -1},
                                   {REACH_UP, -1},
                                   {REACH_DOWN, -1},
                                   {REACH_FIRE, -1},
                                   {0, -1}};
    for (int k = 0; k < MAX_MIDDLE_STOPS; k++) actions.push_back({REACH_UP, k});

    struct Visit {
        uint64_t parent;
        int8_t action;
        Node node;
    };
    std::unordered_map<uint64_t, Visit> seen;
    std::deque<Node> queue;
    Node start = {4, 8, 0, 0, 0, 0};
    seen[node_key(start)] = {~uint64_t(0), -1, start};
    queue.push_back(start);
    bool found = false;
    Node goal_from{};
    int goal_action = -1;
    while (!queue.empty() && !found && result.positions < REACH_MAX_POSITIONS) {
        Node n = queue.front();
        queue.pop_front();
        result.positions++;
        s.lay_out(n);
        cr.x = n.x, cr.y = n.y, cr.facing = n.facing;
        uint8_t u = cr.under();
        bool standing = cr.edge() == 0 && !((u & 0x80) && (u & 3) == 1 && (u & 0x30) == 0x10);
        cr.restore();
        if (standing && n.y / 4 - 1 > result.highest_row) {
            result.highest_row = n.y / 4 - 1;
            result.highest_column = n.x / 8;
        }
        for (size_t i = 0; i < actions.size(); i++) {
            if (actions[i].middle_stop >= 0 && u != 0x85 && u != 0x8D) continue;
            Node to;
            if (!s.play(n, actions[i], to, nullptr)) continue;
            if (cr.exit) {
                found = true;
                goal_from = n;
                goal_action = int(i);
                break;
            }
            uint64_t key = node_key(to);
            if (seen.count(key)) continue;
            seen[key] = {node_key(n), int8_t(i), to};
            queue.push_back(to);
        }
    }
    if (!found) return result;
    result.exit_reached = true;

    // Replay the chain of decisions to collect the frame-by-frame inputs.
    std::vector<uint64_t> chain;
    for (uint64_t key = node_key(goal_from); seen[key].action >= 0; key = seen[key].parent)
        chain.push_back(key);
    std::reverse(chain.begin(), chain.end());
    Node at = start;
    Node to;
    for (uint64_t key : chain) {
        const Visit& v = seen[key];
        s.play(at, actions[v.action], to, &result.inputs);
        at = v.node;
    }
    s.play(goal_from, actions[goal_action], to, &result.inputs);
    return result;
}

std::string format_inputs(const std::vector<uint16_t>& inputs) {
    std::string out;
    size_t i = 0;
    while (i < inputs.size()) {
        size_t j = i;
        while (j < inputs.size() && inputs[j] == inputs[i]) j++;
        uint16_t c = inputs[i];
        std::string name;
        if (c & REACH_LEFT) name += 'L';
        if (c & REACH_RIGHT) name += 'R';
        if (c & REACH_UP) name += 'U';
        if (c & REACH_DOWN) name += 'D';
        if (c & REACH_FIRE) name += 'F';
        if (name.empty()) name = ".";
        if (!out.empty()) out += ' ';
        out += name + std::to_string(j - i);
        i = j;
    }
    return out;
}

std::string format_script(const std::vector<uint16_t>& inputs, uint32_t first_frame) {
    std::string out;
    int previous = -1;
    for (size_t i = 0; i <= inputs.size(); i++) {
        int c = i < inputs.size() ? inputs[i] : 0;  // let go of everything at the end
        if (c == previous) continue;
        previous = c;
        std::string name;
        for (auto [bit, letter] : {std::pair<int, char>{REACH_LEFT, 'L'},
                                   {REACH_RIGHT, 'R'},
                                   {REACH_UP, 'U'},
                                   {REACH_DOWN, 'D'},
                                   {REACH_FIRE, 'F'}}) {
            if (!(c & bit)) continue;
            if (!name.empty()) name += '+';
            name += letter;
        }
        out += std::to_string(first_frame + i) + " " + (name.empty() ? "-" : name) + "\n";
    }
    return out;
}
