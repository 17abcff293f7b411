#include "streaming/FormPosition.h"

#include "streaming/FormError.h"
#include "streaming/FormTree.h"

#include <algorithm>

TLineIndex::TLineIndex(std::string_view s, size_t start) {
  FLineStarts.push_back(std::min(start, s.size()));
  for (size_t i = FLineStarts[0]; i < s.size(); ++i)
    if (s[i] == '\n' || (s[i] == '\r' && (i + 1 >= s.size() || s[i + 1] != '\n'))) FLineStarts.push_back(i + 1);
}

void TLineIndex::Locate(size_t offset, int& line, int& column) const {
  if (FLineStarts.empty()) {
    line = 1;
    column = static_cast<int>(offset) + 1;
    return;
  }
  auto it = std::upper_bound(FLineStarts.begin(), FLineStarts.end(), offset);
  size_t index = it == FLineStarts.begin() ? 0 : static_cast<size_t>(it - FLineStarts.begin()) - 1;
  line = static_cast<int>(index) + 1;
  column = offset >= FLineStarts[index] ? static_cast<int>(offset - FLineStarts[index]) + 1 : 1;
}

void FormPosition(const TFormDocument& doc, size_t offset, int& line, int& column) {
  if (doc.Format == TFormFormat::Binary) {
    line = 1;
    column = static_cast<int>(offset) + 1;
    return;
  }
  if (!doc.Lines) doc.Lines.emplace(doc.Source, doc.Encoding == TTextEncoding::Utf8Bom ? 3 : 0);
  doc.Lines->Locate(offset, line, column);
}

std::string FormLocation(const TFormDocument& doc, size_t offset) {
  int line, column;
  FormPosition(doc, offset, line, column);
  return doc.FileName + ":" + std::to_string(line) + ":" + std::to_string(column);
}

void FailAt(const TFormDocument& doc, size_t offset, const std::string& message) {
  int line, column;
  FormPosition(doc, offset, line, column);
  throw EFormError(doc.FileName, line, column, message);
}
