// The long-lived objects the game creates at start-up and destroys at shut-down.
//
// They are reached through these program-wide pointers; each is null until its
// start-up step has run, so the error handler knows what exists.
#pragma once

struct BITMAP;
struct RLE_SPRITE;
class SoundBank;
class GraphicLibrary;
class BitmapFont;
class Gryffon;

extern SoundBank* sound_bank;
extern GraphicLibrary* graphic_library;
extern BitmapFont* bitmap_font;
extern Gryffon* gryffon;

// Screen-wide art loaded by start-up itself, not through the graphic library.
extern BITMAP* cursors[4];          // index 0 = cursors/cursor1.bmp
extern BITMAP* game_background;     // backgrounds/gamebg.bmp, 1360x480
extern BITMAP* title_background;    // backgrounds/titlebg.bmp, 640x480
extern BITMAP* game_logo;           // logo/zenvarlogo.bmp
// The same logo run-length encoded, for the title, which draws it every pass;
// without it the title draws game_logo as a sprite.
extern RLE_SPRITE* game_logo_runs;
extern BITMAP* publisher_logo;      // logo/holtrane.bmp (intro only)
extern BITMAP* developer_logo;      // logo/ostwick.bmp (intro only)
extern BITMAP* star_images[2];      // sprites/mini-star/mini-star1.bmp, mini-star2.bmp
