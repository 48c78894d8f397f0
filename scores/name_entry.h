// Name entry: the modal on-screen keyboard that writes a three-character name
// into the row a qualifying score takes in its table. Mouse only.
#pragma once

#include "scores/score_table.h"

struct BITMAP;

void enterName(int score, ScoreTable& table, BITMAP* buffer, BITMAP** cursor_images);
