#pragma once
// The 28 scenes of the game. Each paints the whole of an image that has the picture's
// orientation: landscape for the Normal pictures 1 to 9, portrait for the Hard ones.

#include <QImage>

namespace pictures
{

using Scene = void (*)(QImage &canvas);

// Landscape scenes, pictures 1 to 9.
void mountainLake(QImage &canvas);
void tuscanHills(QImage &canvas);
void cityAtNight(QImage &canvas);
void tulipField(QImage &canvas);
void autumnForest(QImage &canvas);
void desertDunes(QImage &canvas);
void coralReef(QImage &canvas);
void aurora(QImage &canvas);
void harbour(QImage &canvas);

// Portrait scenes, pictures 10 to 28.
void lighthouse(QImage &canvas);
void stainedGlass(QImage &canvas);
void balloons(QImage &canvas);
void waterfall(QImage &canvas);
void pagoda(QImage &canvas);
void lavender(QImage &canvas);
void snowyCabin(QImage &canvas);
void volcano(QImage &canvas);
void mosaic(QImage &canvas);
void koiPond(QImage &canvas);
void sunflower(QImage &canvas);
void parrots(QImage &canvas);
void castle(QImage &canvas);
void lanterns(QImage &canvas);
void jellyfish(QImage &canvas);
void canyon(QImage &canvas);
void planets(QImage &canvas);
void milkyWay(QImage &canvas);
void tropicalBeach(QImage &canvas);

// Picture n (1 ..= 28) is painted by sceneFor(n).
Scene sceneFor(int n);

} // namespace pictures
