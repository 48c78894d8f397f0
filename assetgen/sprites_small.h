// The small pictures: shots (drawn rotated to their heading, so they are
// centred and point up), the twinkling point stars, the glinting gem and the
// mouse crosshair. These are a few pixels across, so they are painted pixel
// by pixel from glow profiles rather than from bevelled shapes.
#pragma once

class AssetOutput;
class SpriteCanvas;

void paintShipLaser(SpriteCanvas& canvas);
void paintEnemyBullet(SpriteCanvas& canvas, int kind);  // 1 orange pellet, 2 green plasma
void paintEnemyLaser(SpriteCanvas& canvas);
void paintMiniStar(SpriteCanvas& canvas, int frame);
void paintGem(SpriteCanvas& canvas, int frame);
void paintCursor(SpriteCanvas& canvas, int frame);
void makeSmallSprites(AssetOutput& out);
