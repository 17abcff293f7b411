#pragma once
// Reads the text form format into a TFormDocument that keeps every element's
// source span. Raises EFormError at the first malformed spot.
#include "streaming/FormTree.h"

#include <memory>
#include <string>

std::unique_ptr<TFormDocument> ParseFormText(std::string source, std::string fileName);
