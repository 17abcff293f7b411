#pragma once
// The model's pictures as Qt images: a transparent bitmap's transparent
// colour (its bottom-left pixel) becomes see-through.
#include <QImage>

class TGraphic;

namespace QtImages {
QImage ImageOf(const TGraphic& graphic);
} // namespace QtImages
