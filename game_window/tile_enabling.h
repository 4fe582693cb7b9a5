#pragma once
// Opens play: the sequencer makes one tile set, the blank tile first, answer clicks.

class Form1;

void EnableNormalTiles(Form1 &form, bool enabled); // ImENo, ImE1 .. ImE11
void EnableHardTiles(Form1 &form, bool enabled);   // ImGNo, ImG1 .. ImG14
