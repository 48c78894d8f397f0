// The measured passes of the benchmark, one function each.
//
// Every pass ends with the real frame tail (presentFrame), exactly as the main
// loop runs it, so each row of the table is a whole frame's cost.
#pragma once

class FrameStats;

// The bare frame tail: cursor, blit of the back buffer to the screen, clear.
void measureFloor(FrameStats& stats, int frames);

// Allocations made by one BitmapFont::draw of texts of typical lengths.
void reportFontAllocations();
