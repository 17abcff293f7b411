#pragma once
// Bitmaps carried as BITMAP resources: a device-independent bitmap without a
// file header (a 40-byte info header, the colour table, then the pixel rows,
// bottom-up unless the height is negative, each padded to four bytes).
#include "forms/TGraphics.h"
#include "rtl/Exceptions.h"

#include <memory>
#include <string_view>

QUELM_EXCEPTION_CLASS(EInvalidGraphic, Exception)

// Reads an uncompressed 8-bit (with colour table) or 24-bit bitmap. Raises
// EInvalidGraphic with the offset and the reason when the bytes are not one.
std::unique_ptr<TBitmap> BitmapFromDib(std::string_view bytes);
