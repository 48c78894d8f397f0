#include "play/shadow.h"

Shadow::Shadow(GraphicLibrary* library) : SmallEnemy('S', library) {}
