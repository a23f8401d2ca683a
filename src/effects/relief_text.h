#pragma once
#include <string>

namespace frost {

class PaintContext;

// Prints `text` on Picture1 as six copies, each 5 twips (not scaled) further right and down than
// the last and `brightnessStep` brighter, starting at Intensity: the brightest copy lies on top
// at the bottom right, so the line stands out in relief. The first copy is at (x + 5, y + 5).
void PrintInRelief(PaintContext& paint, const std::string& text, double x, double y,
                   double brightnessStep);

}  // namespace frost
