#include "assetgen/music_themes.h"

namespace {
// Note names used below: A4 = 69.
const int G4 = 67, A4 = 69, B4 = 71, C5 = 72, D5 = 74, E5 = 76, F5 = 77, G5 = 79, A5 = 81;
}  // namespace

const std::vector<MelodyNote>& mainMotif() {
    static const std::vector<MelodyNote> notes = {
        {A4, 0, 1, 100},    {C5, 1, 0.5, 92},   {E5, 1.5, 1, 104},  {D5, 2.5, 0.5, 90}, {C5, 3, 0.5, 92},
        {D5, 3.5, 0.5, 94}, {E5, 4, 1.5, 106},  {C5, 5.5, 0.5, 90}, {A4, 6, 2, 98},     {G4, 8, 1, 96},
        {C5, 9, 0.5, 92},   {E5, 9.5, 1, 102},  {G5, 10.5, 0.5, 106}, {F5, 11, 0.5, 96}, {E5, 11.5, 0.5, 94},
        {D5, 12, 1.5, 104}, {B4, 13.5, 0.5, 90}, {G4, 14, 1, 94},   {B4, 15, 1, 96},
    };
    return notes;
}

const std::vector<MelodyNote>& answerMotif() {
    static const std::vector<MelodyNote> notes = {
        {A4, 0, 1, 100},    {C5, 1, 0.5, 92},   {E5, 1.5, 1, 104},   {A5, 2.5, 1, 110},  {G5, 3.5, 0.5, 96},
        {F5, 4, 1.5, 104},  {E5, 5.5, 0.5, 92}, {C5, 6, 1, 96},      {A4, 7, 1, 90},     {E5, 8, 1, 100},
        {G5, 9, 1, 104},    {E5, 10, 0.5, 94},  {C5, 10.5, 0.5, 92}, {G5, 11, 1, 106},   {D5, 12, 1, 100},
        {E5, 13, 0.5, 96},  {D5, 13.5, 0.5, 94}, {B4, 14, 1, 96},    {G4, 15, 1, 92},
    };
    return notes;
}
