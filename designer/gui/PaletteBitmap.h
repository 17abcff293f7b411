#pragma once
// The picture of a component class on the palette and on the form view: the
// package's 24 x 24 bitmap resource named after the class, with its
// transparent colour (that of the bottom-left pixel) made see-through.
#include <QImage>

#include <string>

struct TResourceTable;

inline constexpr int PaletteBitmapSize = 24;

// The class's bitmap; a drawn tile with the class's initials when the
// resources have none (the framework's classes).
QImage PaletteBitmap(const TResourceTable* resources, const std::string& className);

// The bitmap's key colour taken out: every pixel of the bottom-left pixel's
// colour becomes transparent.
QImage WithKeyColourTransparent(const QImage& bitmap);
