// The picture loader, the sprite list, the flip and the clip rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Lzma.h"
#include "gfx.h"
#include "nmis.h"
#include "tour.h"

using bytes = std::vector<unsigned char>;

struct rgb {
    unsigned char r, g, b;
};

// An 8-bit BMP with the palette right after the 54-byte headers and rows of
// exactly width bytes, bottom row first; rows given top row first.
static bytes make_bmp(int w, int h, const std::vector<rgb>& palette,
                      const std::vector<unsigned char>& top_down, int bpp = 8) {
    bytes f(54 + 4 * palette.size(), 0);
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) f[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    f[0] = 'B';
    f[1] = 'M';
    put(10, static_cast<uint32_t>(f.size()), 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(w), 4);
    put(22, static_cast<uint32_t>(h), 4);
    put(26, 1, 2);
    put(28, static_cast<uint32_t>(bpp), 2);
    put(46, static_cast<uint32_t>(palette.size()), 4);
    for (size_t i = 0; i < palette.size(); ++i) {
        f[54 + 4 * i] = palette[i].b;
        f[55 + 4 * i] = palette[i].g;
        f[56 + 4 * i] = palette[i].r;
    }
    for (int y = h - 1; y >= 0; --y)
        f.insert(f.end(), top_down.begin() + y * w, top_down.begin() + (y + 1) * w);
    put(2, static_cast<uint32_t>(f.size()), 4);
    return f;
}

static uint16_t pixel(SDL_Surface* s, int x, int y) {
    SDL_LockSurface(s);
    const uint16_t v =
        reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x];
    SDL_UnlockSurface(s);
    return v;
}

static SDL_Surface* load(const bytes& f, bool keyed) {
    return bmp_to_surface(f.data(), static_cast<long>(f.size()), keyed, 255, 0, 255);
}

TEST(Loader, RowsComeUprightAndColoursBecomeRgb565) {
    const std::vector<rgb> palette = {
        {0, 0, 0}, {255, 255, 255}, {8, 4, 8}, {255, 0, 0}, {7, 3, 7}};
    // top row: 1 2 3 4, bottom row: 0 0 0 1
    const bytes f = make_bmp(4, 2, palette, {1, 2, 3, 4, 0, 0, 0, 1});
    SDL_Surface* s = load(f, false);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->w, 4);
    EXPECT_EQ(s->h, 2);
    EXPECT_EQ(pixel(s, 0, 0), 0xFFFF);
    EXPECT_EQ(pixel(s, 1, 0), 0x0821);  // low bits of each component dropped
    EXPECT_EQ(pixel(s, 2, 0), 0xF800);
    EXPECT_EQ(pixel(s, 3, 0), 0x0000);  // (7, 3, 7) falls to black
    EXPECT_EQ(pixel(s, 3, 1), 0xFFFF) << "the first stored row is the last surface row";
    EXPECT_EQ(pixel(s, 0, 1), 0x0000);
    SDL_FreeSurface(s);
}

TEST(Loader, MagentaAndNearMagentaAreTransparentOnlyInKeyedPictures) {
    const std::vector<rgb> palette = {
        {255, 0, 255}, {252, 0, 252}, {248, 3, 248}, {255, 4, 255}, {10, 200, 30}};
    const bytes f = make_bmp(8, 1, palette, {0, 1, 2, 3, 4, 4, 4, 4});
    for (bool keyed : {true, false}) {
        SDL_Surface* s = load(f, keyed);
        ASSERT_NE(s, nullptr);
        SDL_Surface* target = SDL_CreateRGBSurface(0, 8, 1, 16, 0, 0, 0, 0);
        SDL_FillRect(target, nullptr, 0x1234);
        SDL_BlitSurface(s, nullptr, target, nullptr);
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(pixel(target, x, 0) == 0x1234, keyed) << "x " << x << " keyed " << keyed;
        EXPECT_NE(pixel(target, 3, 0), 0x1234) << "green 4 is not the key";
        EXPECT_EQ(pixel(target, 4, 0), pixel(s, 4, 0));
        SDL_FreeSurface(target);
        SDL_FreeSurface(s);
    }
}

TEST(Loader, RefusesWhatIsNotAWholeEightBitPicture) {
    const std::vector<rgb> palette(4, rgb{1, 2, 3});
    const bytes good = make_bmp(4, 4, palette, bytes(16, 1));
    SDL_Surface* s = load(good, false);
    ASSERT_NE(s, nullptr);
    SDL_FreeSurface(s);
    const bytes cut(good.begin(), good.end() - 1);
    EXPECT_EQ(load(cut, false), nullptr);
    EXPECT_EQ(load(bytes(good.begin(), good.begin() + 40), false), nullptr);
    EXPECT_EQ(load(make_bmp(4, 4, palette, bytes(16, 1), 4), false), nullptr);
    // A palette count of 0 means 256 entries, which this file does not hold.
    bytes zero = good;
    zero[46] = 0;
    EXPECT_EQ(load(zero, false), nullptr);
    EXPECT_EQ(bmp_to_surface(nullptr, 0, false, 255, 0, 255), nullptr);
}

TEST(Loader, AMissingPictureEndsTheProgramNamingIt) {
    EXPECT_EXIT(load_bmp("missing.bmp", true, 255, 0, 255), testing::ExitedWithCode(1),
                "Problem: cannot load the picture missing\\.bmp");
}

// The pack with the payload of one picture damaged (a non-zero upper size
// byte), so that the picture cannot be loaded.
static bytes pack_without(const std::string& name) {
    bytes pack(Data_pck, Data_pck + Data_pck_size);
    char head[8];
    std::snprintf(head, sizeof head, "%02zu", name.size());
    const std::string key = head + name;
    auto at = std::search(pack.begin(), pack.end(), key.begin(), key.end());
    EXPECT_NE(at, pack.end()) << name;
    if (at != pack.end()) at[static_cast<long>(key.size()) + 8 + 9] = 1;
    return pack;
}

// Each tower's picture and enemy sheet replace the last ones at the start of
// an attempt. One that fails to load ends the program, which releases every
// picture: the previous tower's must then be released once, not twice.
// It is held with two extra references so that it stays readable and its
// count shows how often it was released.
static SDL_Surface* previous_picture;
static void report_releases() {
    std::fprintf(stderr, "released %d time(s)\n", 3 - previous_picture->refcount);
}

TEST(Loader, APerTowerPictureThatFailsToLoadEndsTheProgramReleasingTheLastOneOnce) {
    const struct {
        const char* format;
        void (*init)(uint16_t);
        SDL_Surface** surface;
        int pictures;
    } per_tower[] = {{"tour%d.bmp", init_tour, &spr_tour, 8},
                     {"nmis%d.bmp", init_nmi_lvl, &spr_nmis, 4}};
    for (const auto& kind : per_tower)
        for (int lvl = 0; lvl < kind.pictures; ++lvl) {
            char name[16];
            std::snprintf(name, sizeof name, kind.format, lvl + 1);
            std::string quoted = name;
            quoted.insert(quoted.find('.'), "\\");
            const std::string expected =
                "^Problem: cannot load the picture " + quoted + "\nreleased 1 time\\(s\\)\n$";
            EXPECT_EXIT(
                {
                    kind.init(static_cast<uint16_t>(lvl + 1));  // the previous tower's
                    previous_picture = *kind.surface;
                    previous_picture->refcount = 3;
                    std::atexit(report_releases);
                    static bytes damaged;
                    damaged = pack_without(name);
                    rom_pack = damaged.data();
                    rom_pack_size = damaged.size();
                    kind.init(static_cast<uint16_t>(lvl));
                },
                testing::ExitedWithCode(1), expected)
                << name;
        }
}

TEST(Loader, EveryPictureOfThePackLoadsWithItsSize) {
    const struct {
        const char* name;
        int w, h;
    } sizes[] = {
        {"backgnds.bmp", 64, 128},  {"bastower.bmp", 128, 24},      {"chiffres.bmp", 8, 88},
        {"decors.bmp", 96, 8},      {"etoiles.bmp", 32, 8},         {"fire.bmp", 32, 8},
        {"fishs.bmp", 32, 512},     {"flying.bmp", 32, 256},        {"font.bmp", 128, 48},
        {"mplayer.bmp", 32, 384},   {"nmis1.bmp", 32, 256},         {"nmis2.bmp", 32, 256},
        {"nmis3.bmp", 32, 256},     {"nmis4.bmp", 32, 256},         {"panel1.bmp", 8, 24},
        {"panel2.bmp", 64, 24},     {"panel3.bmp", 64, 24},         {"parallax1.bmp", 8, 8},
        {"parallax2.bmp", 16, 128}, {"parallax3.bmp", 320, 24},     {"parallax4.bmp", 320, 32},
        {"player.bmp", 32, 1200},   {"player2.bmp", 32, 1200},      {"podium.bmp", 32, 32},
        {"portes.bmp", 32, 544},    {"presentation.bmp", 240, 160}, {"subway.bmp", 32, 128},
        {"time.bmp", 16, 176},      {"time_icons.bmp", 48, 16},     {"titre.bmp", 240, 64},
        {"toptower.bmp", 128, 64},  {"torpille.bmp", 8, 8},         {"tour1.bmp", 128, 64},
        {"tour2.bmp", 128, 64},     {"tour3.bmp", 128, 64},         {"tour4.bmp", 128, 64},
        {"tour5.bmp", 128, 64},     {"tour6.bmp", 128, 64},         {"tour7.bmp", 128, 64},
        {"tour8.bmp", 128, 64},     {"present.bmp", 320, 200},      {"vrusk.bmp", 320, 240},
        {"char8x8_5.bmp", 312, 8},
    };
    for (const auto& image : sizes) {
        SDL_Surface* s = load_bmp(image.name, true, 255, 0, 255);
        EXPECT_EQ(s->w, image.w) << image.name;
        EXPECT_EQ(s->h, image.h) << image.name;
        SDL_FreeSurface(s);
    }
    // The four unused 4-bit font strips are in the pack, but are no 8-bit pictures.
    for (const char* name : {"char8x8.bmp", "char8x8_2.bmp", "char8x8_3.bmp", "char8x8_4.bmp"}) {
        long size = 0;
        unsigned char* f = LzmaUnpackROML(name, &size);
        ASSERT_NE(f, nullptr) << name;
        EXPECT_EQ(f[28], 4) << name;
        EXPECT_EQ(f[18] | f[19] << 8, 312) << name;
        free(f);
    }
}

// A 32 x 32 surface of one colour, to queue as a sprite.
static SDL_Surface* tile(uint16_t colour) {
    SDL_Surface* s = SDL_CreateRGBSurface(0, 32, 32, 16, 0, 0, 0, 0);
    SDL_FillRect(s, nullptr, colour);
    return s;
}

class SpriteList : public testing::Test {
  protected:
    void SetUp() override {
        init_sprites();
        set_clip(0, 0, 320, 240);
        SDL_FillRect(buffer, nullptr, 0);
    }
    SDL_Rect whole{0, 0, 32, 32};
};

TEST_F(SpriteList, RejectsOnlyWhatLiesWhollyOffTheScreen) {
    SDL_Surface* s = tile(0xFFFF);
    const struct {
        int16_t x, y;
        bool queued;
    } cases[] = {
        {320, 0, false}, {319, 0, true}, {-31, 0, true}, {-32, 0, true},  {-33, 0, false},
        {0, 240, false}, {0, 239, true}, {0, -32, true}, {0, -33, false},
    };
    for (const auto& c : cases) {
        init_sprites();
        insert_sprite(c.x, c.y, &whole, s);
        EXPECT_EQ(nb_sprites, c.queued ? 1 : 0) << c.x << "," << c.y;
    }
    init_sprites();
    insert_sprite(-31, 0, &whole, s);  // only its last column shows
    aff_sprites();
    EXPECT_EQ(pixel(buffer, 0, 0), 0xFFFF);
    EXPECT_EQ(pixel(buffer, 1, 0), 0x0000);
    EXPECT_EQ(nb_sprites, 0);
    SDL_FreeSurface(s);
}

TEST_F(SpriteList, TheFirstQueuedIsDrawnOnTop) {
    SDL_Surface* near = tile(0xF800);
    SDL_Surface* far = tile(0x001F);
    insert_sprite(10, 10, &whole, near);
    insert_sprite(10, 10, &whole, far);
    insert_sprite(30, 10, &whole, far);
    aff_sprites();
    EXPECT_EQ(pixel(buffer, 20, 20), 0xF800);
    EXPECT_EQ(pixel(buffer, 45, 20), 0x001F);
    SDL_FreeSurface(near);
    SDL_FreeSurface(far);
}

TEST_F(SpriteList, RequestsPastTheListAreDroppedAndTheListStaysWhole) {
    SDL_Surface* s = tile(0x07E0);
    SDL_Rect small{0, 0, 1, 1};
    for (int i = 0; i < 300; ++i)
        insert_sprite(static_cast<int16_t>(i % 320), static_cast<int16_t>(i / 320), &small, s);
    EXPECT_EQ(nb_sprites, MAX_SPRITES);
    EXPECT_EQ(liste_sprites[MAX_SPRITES - 1].dst.x, 255);
    aff_sprites();
    EXPECT_EQ(pixel(buffer, 255, 0), 0x07E0);
    EXPECT_EQ(pixel(buffer, 256, 0), 0x0000);
    SDL_FreeSurface(s);
}

TEST_F(SpriteList, FlipShowsTheFrameAndPanelThenClearsInsideTheClip) {
    SDL_FillRect(buffer, nullptr, 0x1111);
    SDL_FillRect(panel, nullptr, 0x2222);
    flag_panel_displayed = 0;
    flip();
    EXPECT_EQ(pixel(screen, 5, 239), 0x1111) << "a hidden panel shows nothing";
    EXPECT_EQ(pixel(buffer, 5, 239), 0x0000) << "the buffer is cleared";

    SDL_FillRect(buffer, nullptr, 0x1111);
    flag_panel_displayed = 24;
    set_clip(0, 0, 320, 178);
    flip();
    EXPECT_EQ(pixel(screen, 5, 215), 0x1111);
    EXPECT_EQ(pixel(screen, 5, 216), 0x2222);
    EXPECT_EQ(pixel(screen, 319, 239), 0x2222);
    EXPECT_EQ(pixel(buffer, 5, 177), 0x0000);
    EXPECT_EQ(pixel(buffer, 5, 178), 0x1111) << "outside the clip the old frame remains";

    // Sprites are cut by the clip rectangle too.
    SDL_Surface* s = tile(0xFFFF);
    insert_sprite(0, 170, &whole, s);
    aff_sprites();
    EXPECT_EQ(pixel(buffer, 0, 177), 0xFFFF);
    EXPECT_EQ(pixel(buffer, 0, 180), 0x1111);
    set_clip(0, 0, 320, 240);
    flag_panel_displayed = 0;
    SDL_FreeSurface(s);
}

TEST(Colour, MakeRgbSplitsRgb565) {
    const rgb_color c = MakeRGB(0xF81F);
    EXPECT_EQ(c.r, 248);
    EXPECT_EQ(c.g, 0);
    EXPECT_EQ(c.b, 248);
    const rgb_color d = MakeRGB(0x07E0);
    EXPECT_EQ(d.g, 252);
    EXPECT_EQ(MakeRGB(0x0019).b, 200);
}
