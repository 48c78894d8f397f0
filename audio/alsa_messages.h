// ALSA's own error lines while the sound system is being probed.
//
// On a machine with no sound card at all, every attempt to open ALSA's default
// device prints eight lines of library errors. The game is simply silent
// there, so those lines are held back during the probe and dropped; anywhere
// else (a card exists, or the sound did start) they are printed as ALSA would.
#pragma once

void holdAlsaMessages();
void releaseAlsaMessages(bool sound_installed);
