#include "play/pawn.h"

Pawn::Pawn(GraphicLibrary* library) : SmallEnemy('P', "sprites/pawn/pawn", 1, library) {}
