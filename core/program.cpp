#include "core/program.h"

SoundBank* sound_bank = nullptr;
GraphicLibrary* graphic_library = nullptr;
BitmapFont* bitmap_font = nullptr;
Gryffon* gryffon = nullptr;

BITMAP* cursors[4] = {nullptr, nullptr, nullptr, nullptr};
BITMAP* game_background = nullptr;
BITMAP* title_background = nullptr;
BITMAP* game_logo = nullptr;
RLE_SPRITE* game_logo_runs = nullptr;
BITMAP* publisher_logo = nullptr;
BITMAP* developer_logo = nullptr;
BITMAP* star_images[2] = {nullptr, nullptr};
