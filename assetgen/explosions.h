// Explosion animations. One procedural fireball serves every kind: a bright
// flash that swells into a noisy ball of fire, cools from white through yellow
// and orange to red, breaks up into drifting smoke and is gone, with sparks
// flung outwards. Each kind gets its own size, frame count, seed and tint, so
// the small, ship and large explosions look related but not identical.
#pragma once

#include <cstdint>
#include <string>

#include "assetgen/palette.h"

class AssetOutput;
class SpriteCanvas;

struct ExplosionStyle {
    int size;          // square picture size
    int frames;
    uint32_t seed;
    double reach;      // largest fire radius as a share of half the picture
    Rgb tint;          // colour mixed into the cooler flames
    double tint_amount;
    int sparks;
    int debris;        // dark hull fragments flying out (0 for none)
    double end = 0.96;     // blast time (0..1) of the last frame: earlier leaves smoke to see
    double core_heat = 0;  // extra heat kept in the middle, so a short blast stays bright
};

// Paint frame `index` (0-based) of an explosion into an empty canvas.
void paintExplosionFrame(SpriteCanvas& canvas, const ExplosionStyle& style, int index);

// Writes "<prefix>1.bmp" ... "<prefix>N.bmp".
void writeExplosion(AssetOutput& out, const std::string& prefix, const ExplosionStyle& style);

void makeExplosions(AssetOutput& out);
