// The three small enemy kinds, 38x38 and facing up: the pawn (a small orange
// drone), the shadow (a dark violet stealth wing) and the blade (a four-armed
// spinning star dragging a chain). Each kind has two body pictures that the
// game alternates every two frames, so the second differs visibly: lights
// swap on the pawn, the shadow's glow pulses and the blade turns an eighth.
#pragma once

class AssetOutput;
class SpriteCanvas;

void paintPawn(SpriteCanvas& canvas, int frame);
void paintShadow(SpriteCanvas& canvas, int frame);
void paintBlade(SpriteCanvas& canvas, int frame);
void paintBladeChain(SpriteCanvas& canvas);
void makeSmallEnemySprites(AssetOutput& out);
