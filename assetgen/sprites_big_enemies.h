// The two large enemy kinds, 96x96 and facing up. The wyvern is an organic,
// dragon-like craft in green scales whose wings beat between its two
// pictures; the big battleship is an armoured grey warship with rust-red
// plating, turrets and a bridge, whose running lights and engines pulse.
#pragma once

class AssetOutput;
class SpriteCanvas;

void paintWyvern(SpriteCanvas& canvas, int frame);
void paintBattleship(SpriteCanvas& canvas, int frame);
void makeBigEnemySprites(AssetOutput& out);
