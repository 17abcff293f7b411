#pragma once
// Reads the device-independent bitmaps the package ships for its palette
// icons and pictures: a bitmap file ("BM" header) or a bare DIB as a
// resource holds it, uncompressed, 1, 4, 8, 24 or 32 bits a pixel, bottom-up
// or top-down. A malformed or unsupported bitmap raises EInvalidGraphic
// naming the byte offset where it went wrong.
#include "forms/TGraphics.h"
#include "rtl/Exceptions.h"

#include <memory>
#include <string_view>

QUELM_EXCEPTION_CLASS(EInvalidGraphic, Exception)

std::unique_ptr<TBitmap> ReadDib(std::string_view bytes);
