#pragma once
// Line and column of an offset in a form file, shared by the lexer, the
// parser's callers and the component builder so that every message counts
// lines the same way: a line ends at LF, at CRLF, or at a CR alone. Columns
// count bytes from 1. Binary files have no lines: line 1, column offset + 1.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TFormDocument;

class TLineIndex {
public:
  TLineIndex() = default;
  // source is the whole file; lines start counting at start (after a BOM).
  TLineIndex(std::string_view source, size_t start);
  void Locate(size_t offset, int& line, int& column) const;

private:
  std::vector<size_t> FLineStarts;
};

void FormPosition(const TFormDocument& doc, size_t offset, int& line, int& column);
// "file:line:column" of an offset in the document.
std::string FormLocation(const TFormDocument& doc, size_t offset);
// Raises EFormError at an offset in the document.
[[noreturn]] void FailAt(const TFormDocument& doc, size_t offset, const std::string& message);
