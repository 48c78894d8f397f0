// Types and codes every subsystem of Zenvar shares.
//
// Failures that end the game are plain int codes thrown as exceptions; only the
// handler in runZenvar() catches them, shows the matching message and exits 1.
#pragma once

enum GameMode : int {
    FrontEnd = 0,   // no round running: intro, title and attract screens
    Marathon = 1,   // until the last ship is lost
    TwoMinute = 2,  // 120 s on the clock
    FiveMinute = 3  // 300 s on the clock
};

const int ERR_SOUND_MISSING = 15;
const int ERR_GRAPHIC_MISSING = 40;
// Our own code for "no 640x480 graphics mode could be set" (full screen and window both refused).
const int ERR_GRAPHICS_MODE = 50;

const int SCREEN_WIDTH = 640;
const int SCREEN_HEIGHT = 480;
