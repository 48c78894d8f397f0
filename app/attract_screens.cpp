#include "app/attract_screens.h"

#include <allegro.h>

#include <string>

#include "core/game_types.h"
#include "core/program.h"
#include "gfx/bitmap_font.h"
#include "scores/score_table.h"

#ifndef ZENVAR_BUILD_TAG
#define ZENVAR_BUILD_TAG "local"
#endif

namespace {

struct Point {
    int x;
    int y;
};

// Top-left corners of the stars in the four shape diagrams, each set in the
// order a player could place them.
const Point DIAGRAM_POINTS[] = {
    {90, 180},  {40, 280},  {140, 280},              // triangle
    {316, 180}, {316, 240}, {316, 300},              // vertical line
    {550, 280}, {500, 180}, {600, 180},              // V-shape
    {260, 370}, {380, 430}, {260, 430}, {380, 370},  // rectangle
};

struct Credit {
    const char* heading;
    int heading_y;
    const char* names;  // one per line
    int names_y;
};

const Credit CREDITS[] = {
    {"Directed and Programmed by", 16, "Ostwick Team", 32},
    {"Character Artist", 60, "Ostwick Team - Generated Art", 76},
    {"Background Artist", 112, "Ostwick Team - Generated Art", 128},
    {"Title Music and Sound by", 160, "Ostwick Team - Generated Audio", 176},
    {"Game Music by", 208, "Ostwick Team - Generated Music", 224},
    {"Originally Conceived by", 256, "Ostwick Design Team\nOstwick Programming Team\nOstwick Art Team", 272},
    {"Rethought by", 336, "Ostwick Team\nin C++17 on Allegro 4.4", 352},
};

const char* scoreHeading(int mode) {
    if (mode == TwoMinute) return "Two  Min  Scores\n\n----------------";
    if (mode == FiveMinute) return "Five Min  Scores\n\n----------------";
    return "Marathon  Scores\n\n----------------";
}

void drawTitleBackground(BITMAP* buffer) {
    blit(title_background, buffer, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
}

}  // namespace

void drawControlsScreen(BITMAP* buffer, int timer) {
    drawTitleBackground(buffer);
    bitmap_font->drawGreen(buffer, "Controls", 16, 16);
    bitmap_font->draw(buffer, "Move the Gyrffon with the Arrow Keys\nWASD or Joystick. ESC Quits.", 32, 32);
    bitmap_font->draw(buffer, "Aim the guns with the mouse cursor.\nLeft button fires.\nRight button draws point. P Pauses.",
                      32, 80);
    bitmap_font->draw(buffer, "Draw Points to create shapes below", 32, 144);
    BITMAP* star = timer % 8 < 4 ? star_images[0] : star_images[1];
    for (const Point& point : DIAGRAM_POINTS) draw_sprite(buffer, star, point.x, point.y);
    bitmap_font->draw(buffer, "Triangle", 32, 300);
    bitmap_font->draw(buffer, "Vertical", 256, 320);
    bitmap_font->draw(buffer, "Line", 288, 336);
    bitmap_font->draw(buffer, "V-Shape", 496, 300);
    bitmap_font->draw(buffer, "Rectangle", 248, 448);
}

void drawCreditsScreen(BITMAP* buffer) {
    drawTitleBackground(buffer);
    for (const Credit& credit : CREDITS) {
        bitmap_font->drawGreen(buffer, credit.heading, 16, credit.heading_y);
        bitmap_font->draw(buffer, credit.names, 32, credit.names_y);
    }
    bitmap_font->drawGreen(buffer, "Published and Released by Holtrane", 16, 400);
    bitmap_font->draw(buffer, "Developed by Ostwick", 16, 416);
    bitmap_font->drawGreen(buffer, "Version Information", 16, 448);
    bitmap_font->draw(buffer, std::string("V1.2 ") + ZENVAR_BUILD_TAG, 32, 464);
}

void drawScoreScreen(BITMAP* buffer, int mode) {
    drawTitleBackground(buffer);
    const ScoreTable& table = scoreTableFor(mode);
    bitmap_font->drawGreen(buffer, scoreHeading(mode), 192, 32);
    bitmap_font->draw(buffer, scoreColumnText(table), 176, 112);
    bitmap_font->draw(buffer, nameColumnText(table), 416, 112);
    bitmap_font->draw(buffer, "Bonus at 30000", 208, 400);
    bitmap_font->draw(buffer, "and then every 50000", 160, 416);
}
