#include "designhost/migration/UnitClassParents.h"

#include "rtl/TextCompare.h"

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

struct TToken {
  std::string Text;  // an identifier, or one punctuation character
  int Line;
};

// identifier: letter or '_' then letters, digits, '_'; comments { }, (* *)
// and // to the line end, and 'strings', are skipped
std::vector<TToken> Scan(const std::string& s) {
  std::vector<TToken> tokens;
  int line = 1;
  size_t i = 0;
  auto skipTo = [&](const std::string& close) {
    size_t end = s.find(close, i);
    end = end == std::string::npos ? s.size() : end + close.size();
    for (size_t k = i; k < end; ++k)
      if (s[k] == '\n') ++line;
    i = end;
  };
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == '\n') ++line, ++i;
    else if (std::isspace(c)) ++i;
    else if (c == '{') skipTo("}");
    else if (c == '(' && i + 1 < s.size() && s[i + 1] == '*') skipTo("*)");
    else if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') skipTo("\n");
    else if (c == '\'') {
      ++i;
      while (i < s.size() && s[i] != '\'' && s[i] != '\n') ++i;
      ++i;
    } else if (std::isalpha(c) || c == '_') {
      size_t start = i;
      while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_')) ++i;
      tokens.push_back({s.substr(start, i - start), line});
    } else {
      tokens.push_back({std::string(1, static_cast<char>(c)), line});
      ++i;
    }
  }
  return tokens;
}

} // namespace

void TUnitClassParents::AddUnitFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return;
  std::ostringstream text;
  text << in.rdbuf();
  AddUnitText(text.str(), path);
}

void TUnitClassParents::AddUnitText(const std::string& text, const std::string& path) {
  std::vector<TToken> t = Scan(text);
  // NAME = class ( PARENT
  for (size_t i = 0; i + 4 < t.size(); ++i) {
    if (t[i + 1].Text != "=" || !SameText(t[i + 2].Text, "class") || t[i + 3].Text != "(") continue;
    const std::string& name = t[i].Text;
    const std::string& parent = t[i + 4].Text;
    if (!(std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_')) continue;
    if (!(std::isalpha(static_cast<unsigned char>(parent[0])) || parent[0] == '_')) continue;
    FClasses.emplace(Upper(name), TDeclaredClass{parent, path, t[i].Line});
  }
}

const TDeclaredClass* TUnitClassParents::Find(const std::string& className) const {
  auto it = FClasses.find(Upper(className));
  return it == FClasses.end() ? nullptr : &it->second;
}

std::vector<std::string> TUnitClassParents::Ancestors(const std::string& className) const {
  std::vector<std::string> chain;
  std::set<std::string> seen{Upper(className)};
  for (const TDeclaredClass* d = Find(className); d && seen.insert(Upper(d->Parent)).second; d = Find(d->Parent))
    chain.push_back(d->Parent);
  return chain;
}
