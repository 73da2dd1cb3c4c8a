#pragma once
// Toolbar icons for screens of device pixel ratio 2: the 16-pixel drawings doubled by
// edge-directed pixel doubling (each pixel becomes four, a corner taking a neighbour's
// colour where two neighbours agree across a diagonal), so outlines stay hard and
// diagonals get smoother steps instead of the blur of smooth scaling or the blocks of
// plain doubling. No colour is made up.
#include <QIcon>
#include <QImage>

namespace quarlo {

// The doubled image; pixels outside the edges count as the edge pixel itself.
QImage DoublePixelArt(const QImage& image);

// The icon of a cell at its own size and doubled.
QIcon CrispIcon(const QImage& cell);

}  // namespace quarlo
