#include "play/pawn.h"

Pawn::Pawn(GraphicLibrary* library) : SmallEnemy('P', library) {}
