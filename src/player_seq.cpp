// The creature's longer passages: through a door to the far side of the
// tower (or into the exit door), riding a lift, climbing out of the
// submarine when a tower starts (with the submarine's code), and leaving in it
// while the tower sinks.
#include "controls.h"
#include "decors.h"
#include "gfx.h"
#include "map.h"
#include "player_internal.h"

// Door pictures; 128 and above: the frame from the mirrored sheet.
static const uint8_t seq_rightback[4] = {16, 17, 18, 19};
static const uint8_t seq_leftback[4] = {144, 145, 146, 19};
static const uint8_t seq_tunnel_in[6] = {148, 20, 21, 149, 150, 22};
static const uint8_t seq_tunnel_out[6] = {151, 23, 152, 24, 25, 153};
static const uint8_t seq_backright[4] = {11, 10, 9, 8};
static const uint8_t seq_backleft[4] = {11, 138, 137, 136};

// Frames of the door passage.
constexpr int16_t TUNNEL_STEP_IN = 7, TUNNEL_INSIDE = 13, TUNNEL_STEP_OUT = 29;
constexpr int16_t TUNNEL_TURN_BACK = 36, TUNNEL_DONE = 40;

// The tower sinks until this many rows stand above the water.
constexpr uint16_t SUNK_ROWS = 6;

void player_tunnel() {
    if (player_num_frame <= 3) {
        // Turn to the door and centre on its column.
        player_num_spr =
            flag_player_sens ? seq_leftback[player_num_frame] : seq_rightback[player_num_frame];
        if ((player_map_x & 7) <= 3)
            test_player_movex(1);
        else if ((player_map_x & 7) > 4)
            test_player_movex(-1);
        ++player_num_frame;
        return;
    }
    if (player_num_frame < TUNNEL_STEP_IN) {
        player_num_frame = TUNNEL_STEP_IN;
        crdx_togo = (player_map_x + 64) & 0x7f;  // the far side of the tower
    }
    if (player_num_frame < TUNNEL_INSIDE) {
        player_num_spr = seq_tunnel_in[player_num_frame - TUNNEL_STEP_IN];
        ++player_num_frame;
        return;
    }
    if (player_num_frame < TUNNEL_STEP_OUT) {
        flag_player_aff = 0;
        if (flag_finish_level) {
            // The exit door: the level loop tidies the tower in this frame.
            flag_finish_level = 2;
            player_num_frame = TUNNEL_STEP_OUT;
            return;
        }
        // Half a turn through the tower, two units a frame.
        player_map_x = static_cast<int16_t>((player_map_x + (flag_player_sens ? 2 : -2)) & 0x7f);
        if (player_map_x == static_cast<int16_t>(crdx_togo)) player_num_frame = TUNNEL_STEP_OUT;
        return;
    }

    if (player_num_frame <= TUNNEL_STEP_OUT + 5) {
        flag_player_aff = 1;
        player_num_spr = seq_tunnel_out[player_num_frame - TUNNEL_STEP_OUT];
        ++player_num_frame;
    }
    if (flag_finish_level == 3) {
        player_num_anim = ANIM_ENDLEVEL;
        player_num_frame = 0;
        return;
    }
    if (player_num_frame <= TUNNEL_STEP_OUT + 6) {
        // A door may open over nothing: drop a row a frame until ground.
        if (!test_player_movey(-4)) return;
        if (ctrl_player & CTRL_LEFT)
            flag_player_sens = 1;
        else if (ctrl_player & CTRL_RIGHT)
            flag_player_sens = 0;
        ++player_num_frame;
        return;
    }
    if (player_num_frame < TUNNEL_DONE) {
        player_num_spr = flag_player_sens ? seq_backleft[player_num_frame - TUNNEL_TURN_BACK]
                                          : seq_backright[player_num_frame - TUNNEL_TURN_BACK];
        ++player_num_frame;
        return;
    }
    player_num_anim = ANIM_IDLE;
    player_num_frame = 0;
}

void player_ascenseur() {
    if (player_num_frame == 0) {
        // Walk to the middle of the platform first.
        if ((player_map_x & 7) <= 3) {
            player_map_x = (player_map_x + 1) & 0x7f;
            return;
        }
        if ((player_map_x & 7) > 4) {
            player_map_x = (player_map_x - 1) & 0x7f;
            return;
        }
        player_num_frame = 1;
        flag_player_ascenseur = 1;
        // The platform leaves its row: a rising lift leaves its column there.
        uint8_t& c = player_cell_under();
        c = static_cast<uint8_t>((c & LIFT_STOP_BITS) | (dir_dpl_ascenseur > 0 ? CELL_SOLID : 0));
    }
    player_map_y = static_cast<int16_t>((player_map_y + dir_dpl_ascenseur) & 0x3ff);
    if (player_map_y & 3) return;

    uint8_t& cell = player_cell_under();
    uint8_t stop = cell & LIFT_STOP_BITS;
    // A shot may have cleared the block that carried the bottom stop marker:
    // riding down, the foot of the tower is then the bottom stop.
    if (dir_dpl_ascenseur < 0 && player_map_y / 4 - 1 == 0) stop = 0x04;
    bool halt;
    if (dir_dpl_ascenseur < 0) {
        // A middle stop is passed only while the rider asks to go on.
        halt = stop == 0x04 || (stop == 0x0C && !(ctrl_player & CTRL_DOWN));
        if (!halt) {
            cell = stop;  // the column shrinks back to its bare markers
            return;
        }
    } else {
        halt = stop == 0x08 || (stop == 0x0C && !(ctrl_player & CTRL_UP));
        if (!halt) {
            cell = static_cast<uint8_t>(stop | CELL_SOLID);  // the column grows under the lift
            return;
        }
    }
    cell = static_cast<uint8_t>(stop | CELL_STEP);
    insert_pilier(&cell);  // left above its bottom stop, the lift will come back down
    flag_player_ascenseur = -1;
    player_num_anim = ANIM_IDLE;
    player_num_frame = 0;
}

void player_endlevel() {
    flag_decrement_time = 0;
    if (player_num_frame == 0) {
        if (nb_tiles_tour > SUNK_ROWS) {
            // The top of the tower sinks a row a frame, carrying the creature.
            player_map_y = static_cast<int16_t>(player_map_y - 4);
            for (int c = 0; c < MAP_COLUMNS; ++c)
                for (int r = nb_tiles_tour - 5; r <= nb_tiles_tour; ++r)
                    map_cell(c, r - 1) = map_cell(c, r);
            --nb_tiles_tour;
            return;
        }
        player_scr_x = 0;
        player_scr_y = SUB_HIDDEN;
        player_num_frame = 1;
        set_clip(0, 0, 320, WATER_LINE);
    }
    switch (player_num_frame) {
    case 1:  // the submarine surfaces
        if (++player_scr_y == SUB_SURFACED) player_num_frame = 2;
        break;
    case 2:  // its dome slides aside
        player_num_spr = 0;
        player_map_y = 8;
        player_scr_x = static_cast<int16_t>(player_scr_x - 2);
        if (player_scr_x == DOME_OPEN) player_num_frame = 3;
        break;
    case 3:  // the creature climbs in
        if (--player_map_y == 0) player_num_frame = 4;
        break;
    case 4:
        player_scr_x = static_cast<int16_t>(player_scr_x + 2);
        if (player_scr_x == 0) player_num_frame = 5;
        break;
    case 5: player_num_frame = 6; break;
    case 6:  // and dives
        flag_player_aff = 0;
        if (--player_scr_y == SUB_HIDDEN) player_num_frame = 7;
        break;
    default:
        flag_finish_level = 4;
        set_clip(0, 0, 320, 240);
        break;
    }
}
