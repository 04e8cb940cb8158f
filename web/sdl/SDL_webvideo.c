/* SDL 1.2 video for the browser build: the screen is an ordinary software
   surface in the mode the game asks for (320 x 240, RGB565), blitted by
   SDL's own C blitters exactly as on the desktop; an update copies it onto
   the page's canvas. The page's keyboard arrives as SDL key events. */
#include "SDL_config.h"

#ifdef SDL_VIDEO_DRIVER_WEB

#include <emscripten.h>
#include <emscripten/html5.h>

#include "SDL_video.h"
#include "../SDL_sysvideo.h"
#include "../SDL_pixels_c.h"
#include "../../events/SDL_events_c.h"

#define _THIS SDL_VideoDevice *_this

struct SDL_PrivateVideoData {
    void *pixels;
};

/* Paints a 16-bit RGB565 surface onto the canvas, one canvas pixel per
   game pixel (the page scales the canvas). The 5- and 6-bit components are
   widened by repeating their top bits, so white stays white. */
EM_JS(void, web_paint, (const void *pixels, int w, int h, int pitch), {
    var canvas = Module['canvas'];
    if (!canvas) return;
    if (canvas.width != w || canvas.height != h) {
        canvas.width = w;
        canvas.height = h;
        Module.webImage = null;
    }
    if (!Module.webImage) {
        Module.webContext = canvas.getContext('2d');
        Module.webImage = Module.webContext.createImageData(w, h);
    }
    var data = Module.webImage.data;
    var i = 0;
    for (var y = 0; y < h; ++y) {
        var row = (pixels + y * pitch) >> 1;
        for (var x = 0; x < w; ++x) {
            var v = HEAPU16[row + x];
            var r = v >> 11, g = (v >> 5) & 63, b = v & 31;
            data[i] = r << 3 | r >> 2;
            data[i + 1] = g << 2 | g >> 4;
            data[i + 2] = b << 3 | b >> 2;
            data[i + 3] = 255;
            i += 4;
        }
    }
    Module.webContext.putImageData(Module.webImage, 0, 0);
});

EM_JS(int, web_has_page, (void), {
    return typeof document !== 'undefined' && !!Module['canvas'];
});

/* Key presses wait here between two polls of the game. */
#define KEY_QUEUE 64
static struct {
    Uint8 state;
    SDLKey sym;
} key_queue[KEY_QUEUE];
static unsigned key_head, key_count;
static Uint8 key_held[SDLK_LAST];

static void queue_key(Uint8 state, SDLKey sym)
{
    if (key_count == KEY_QUEUE) return; /* a game that stopped polling */
    key_queue[(key_head + key_count) % KEY_QUEUE].state = state;
    key_queue[(key_head + key_count) % KEY_QUEUE].sym = sym;
    ++key_count;
}

/* The browser's key codes of the keys a game may want; any other key is
   left to the browser. */
static SDLKey web_key(const EmscriptenKeyboardEvent *e)
{
    unsigned long k = e->keyCode;
    if (k >= 'A' && k <= 'Z') return (SDLKey)(SDLK_a + (k - 'A'));
    if (k >= '0' && k <= '9') return (SDLKey)(SDLK_0 + (k - '0'));
    switch (k) {
    case 8: return SDLK_BACKSPACE;
    case 9: return SDLK_TAB;
    case 13: return SDLK_RETURN;
    case 16: return e->location == 2 ? SDLK_RSHIFT : SDLK_LSHIFT;
    case 17: return e->location == 2 ? SDLK_RCTRL : SDLK_LCTRL;
    case 18: return e->location == 2 ? SDLK_RALT : SDLK_LALT;
    case 27: return SDLK_ESCAPE;
    case 32: return SDLK_SPACE;
    case 37: return SDLK_LEFT;
    case 38: return SDLK_UP;
    case 39: return SDLK_RIGHT;
    case 40: return SDLK_DOWN;
    default: return SDLK_UNKNOWN;
    }
}

static EM_BOOL on_key(int type, const EmscriptenKeyboardEvent *e, void *user)
{
    SDLKey sym = web_key(e);
    Uint8 state = type == EMSCRIPTEN_EVENT_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    (void)user;
    if (sym == SDLK_UNKNOWN) return EM_FALSE;
    /* The browser repeats a held key; SDL reports a key once per press. */
    if (state != key_held[sym]) {
        key_held[sym] = state;
        queue_key(state, sym);
    }
    return EM_TRUE; /* the arrows and Space must not scroll the page */
}

/* A page that loses the focus never hears the releases: let go of all. */
static EM_BOOL on_blur(int type, const EmscriptenFocusEvent *e, void *user)
{
    int k;
    (void)type, (void)e, (void)user;
    for (k = 0; k < SDLK_LAST; ++k)
        if (key_held[k]) {
            key_held[k] = SDL_RELEASED;
            queue_key(SDL_RELEASED, (SDLKey)k);
        }
    return EM_FALSE;
}

static void WEB_PumpEvents(_THIS)
{
    (void)_this;
    while (key_count) {
        SDL_keysym keysym;
        SDL_memset(&keysym, 0, sizeof keysym);
        keysym.sym = key_queue[key_head].sym;
        SDL_PrivateKeyboard(key_queue[key_head].state, &keysym);
        key_head = (key_head + 1) % KEY_QUEUE;
        --key_count;
    }
}

static void WEB_InitOSKeymap(_THIS) { (void)_this; }

static int WEB_VideoInit(_THIS, SDL_PixelFormat *vformat)
{
    (void)_this;
    vformat->BitsPerPixel = 16;
    vformat->BytesPerPixel = 2;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, NULL, EM_TRUE, on_key);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, NULL, EM_TRUE, on_key);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, NULL, EM_TRUE, on_blur);
    return 0;
}

static SDL_Rect **WEB_ListModes(_THIS, SDL_PixelFormat *format, Uint32 flags)
{
    (void)_this, (void)format, (void)flags;
    return (SDL_Rect **)-1; /* any size: the page scales the canvas */
}

static SDL_Surface *WEB_SetVideoMode(_THIS, SDL_Surface *current, int width, int height,
                                     int bpp, Uint32 flags)
{
    int pitch;
    (void)flags;
    if (bpp != 16) bpp = 16; /* the canvas painter reads RGB565 */
    pitch = (width * 2 + 3) & ~3;
    SDL_free(_this->hidden->pixels);
    _this->hidden->pixels = SDL_calloc(height, pitch);
    if (!_this->hidden->pixels) {
        SDL_OutOfMemory();
        return NULL;
    }
    if (!SDL_ReallocFormat(current, bpp, 0, 0, 0, 0)) {
        SDL_free(_this->hidden->pixels);
        _this->hidden->pixels = NULL;
        return NULL;
    }
    current->flags = 0;
    current->w = width;
    current->h = height;
    current->pitch = (Uint16)pitch;
    current->pixels = _this->hidden->pixels;
    return current;
}

static int WEB_AllocHWSurface(_THIS, SDL_Surface *surface)
{
    (void)_this, (void)surface;
    return -1;
}

static void WEB_FreeHWSurface(_THIS, SDL_Surface *surface) { (void)_this, (void)surface; }

static int WEB_LockHWSurface(_THIS, SDL_Surface *surface)
{
    (void)_this, (void)surface;
    return 0;
}

static void WEB_UnlockHWSurface(_THIS, SDL_Surface *surface) { (void)_this, (void)surface; }

/* The game updates the whole screen once a frame: paint it all. */
static void WEB_UpdateRects(_THIS, int numrects, SDL_Rect *rects)
{
    SDL_Surface *s = _this->screen;
    (void)numrects, (void)rects;
    if (s && s->pixels) web_paint(s->pixels, s->w, s->h, s->pitch);
}

static int WEB_SetColors(_THIS, int firstcolor, int ncolors, SDL_Color *colors)
{
    (void)_this, (void)firstcolor, (void)ncolors, (void)colors;
    return 1;
}

static void WEB_VideoQuit(_THIS)
{
    if (_this->screen) _this->screen->pixels = NULL;
    SDL_free(_this->hidden->pixels);
    _this->hidden->pixels = NULL;
}

static int WEB_Available(void) { return web_has_page(); }

static void WEB_DeleteDevice(SDL_VideoDevice *device)
{
    SDL_free(device->hidden);
    SDL_free(device);
}

static SDL_VideoDevice *WEB_CreateDevice(int devindex)
{
    SDL_VideoDevice *device = (SDL_VideoDevice *)SDL_calloc(1, sizeof *device);
    (void)devindex;
    if (device) device->hidden = (struct SDL_PrivateVideoData *)SDL_calloc(1, sizeof *device->hidden);
    if (!device || !device->hidden) {
        SDL_OutOfMemory();
        SDL_free(device);
        return NULL;
    }
    device->VideoInit = WEB_VideoInit;
    device->ListModes = WEB_ListModes;
    device->SetVideoMode = WEB_SetVideoMode;
    device->SetColors = WEB_SetColors;
    device->UpdateRects = WEB_UpdateRects;
    device->VideoQuit = WEB_VideoQuit;
    device->AllocHWSurface = WEB_AllocHWSurface;
    device->LockHWSurface = WEB_LockHWSurface;
    device->UnlockHWSurface = WEB_UnlockHWSurface;
    device->FreeHWSurface = WEB_FreeHWSurface;
    device->InitOSKeymap = WEB_InitOSKeymap;
    device->PumpEvents = WEB_PumpEvents;
    device->free = WEB_DeleteDevice;
    return device;
}

VideoBootStrap WEB_bootstrap = {"web", "SDL video on a web page's canvas", WEB_Available,
                                 WEB_CreateDevice};

#endif /* SDL_VIDEO_DRIVER_WEB */
