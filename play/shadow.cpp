#include "play/shadow.h"

Shadow::Shadow(GraphicLibrary* library) : SmallEnemy('S', "sprites/shadow/shadow", 3, library) {}
