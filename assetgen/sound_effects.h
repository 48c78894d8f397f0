// The game's sound effects, each synthesised from oscillators, filtered noise
// and envelopes. Short and punchy for things that happen often (shots), long
// and low for explosions; the two pickups are bright and musical so they stand
// out from the combat noise.
#pragma once

#include "assetgen/wav_writer.h"

class AssetOutput;

PcmSound shotSound();
PcmSound shipExplosionSound();
PcmSound enemyBulletSound();
PcmSound enemyLaserSound();
PcmSound enemyExplosionSound();
PcmSound bigExplosionSound();
PcmSound gemSound();
PcmSound extraLifeSound();

void makeSoundEffects(AssetOutput& out);
