#include "fldlinks/FieldLinkText.h"

#include "rtl/Format.h"

namespace {
constexpr const char* PairFormat = "%s -> %s";
constexpr const char* Arrow = "->";
} // namespace

std::string NextFieldName(const std::string& text, int& pos) {
  const auto start = static_cast<size_t>(pos > 0 ? pos - 1 : 0);
  if (start >= text.size()) {
    pos = static_cast<int>(text.size()) + 1;
    return {};
  }
  size_t end = text.find(';', start);
  if (end == std::string::npos) {
    pos = static_cast<int>(text.size()) + 1;
    return text.substr(start);
  }
  pos = static_cast<int>(end) + 2;
  return text.substr(start, end - start);
}

std::string FormatPair(const std::string& detail, const std::string& master) {
  return Format(PairFormat, {detail, master});
}

// A text without an arrow is not a pair; its halves come out as the whole
// text and nothing rather than as cut-off pieces.
std::string PairDetailField(const std::string& pair) {
  size_t arrow = pair.rfind(Arrow);
  if (arrow == std::string::npos) return pair;
  return pair.substr(0, arrow > 0 ? arrow - 1 : 0);
}

std::string PairMasterField(const std::string& pair) {
  size_t arrow = pair.rfind(Arrow);
  if (arrow == std::string::npos) return {};
  size_t start = arrow + 3;
  return start < pair.size() ? pair.substr(start) : std::string();
}
