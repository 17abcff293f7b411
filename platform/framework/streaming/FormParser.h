#pragma once
// Reads the text form format into a TFormDocument that keeps every element's
// source span. Raises EFormError at the first malformed spot.
#include "streaming/FormTree.h"

#include <memory>
#include <string>

// codePage names the 8-bit code page of files that are not UTF-8 (empty:
// Windows-1252).
std::unique_ptr<TFormDocument> ParseFormText(std::string source, std::string fileName, const std::string& codePage = "");
