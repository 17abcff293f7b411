#pragma once
// The binary form format: a "TPF0" stream, optionally preceded by the
// resource header that binary form files on disk start with
// (FF 0A 00, the upper-case class name, 00, flags 30 10, the stream size).
// Values keep the tag they were read with, so an unchanged file is written
// back byte for byte.
#include "streaming/FormTree.h"

#include <memory>
#include <string>
#include <string_view>

// Whether bytes look like a binary form (resource header or signature).
bool IsBinaryForm(std::string_view bytes);

// codePage: that of the byte strings (empty: Windows-1252).
std::unique_ptr<TFormDocument> ParseFormBinary(std::string bytes, std::string fileName, const std::string& codePage = "");
// With the resource header when the document has one (or withHeader asks).
std::string WriteFormBinary(const TFormDocument& doc, bool withHeader);
