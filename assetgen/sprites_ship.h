// The player's ship, the Gryffon: a silver-blue swept-wing fighter facing up,
// centred at (18.5, 18.5) in a 38x38 picture with its hull inside 4..33. The
// two thrust pictures differ only in the engine flames, so the ship flickers
// while it flies; the idle picture shows cold nozzles.
#pragma once

class AssetOutput;
class SpriteCanvas;

enum class ThrustLook { LongFlame, ShortFlame, Idle };

void paintShip(SpriteCanvas& canvas, ThrustLook thrust);
void makeShipSprites(AssetOutput& out);
