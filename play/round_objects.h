// The owner of the round's enemy slots: it takes enemies out of them, alone or
// all at once with the gems at the end of a round.
#pragma once

// Frame step 6: finished and far-away enemies leave their slots.
void retireEnemies();
// Delete every enemy and gem of the round (end of round, shut-down).
void clearRoundObjects();
