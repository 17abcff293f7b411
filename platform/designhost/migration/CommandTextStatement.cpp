#include "designhost/migration/CommandTextStatement.h"

#include "classes/TypInfo.h"
#include "classes/TypeInfo.h"
#include "classes/TClassInfo.h"
#include "db/TDataSet.h"
#include "rtl/TextCompare.h"

#include <cctype>

namespace {

enum class TCommandTextKind { Statement, Table, Procedure };

TCommandTextKind KindOf(std::string_view name) {
  // dbExpress: ctTable, ctStoredProc; ADO: cmdTable, cmdTableDirect, cmdStoredProc.
  if (SameText(name, "ctTable") || SameText(name, "cmdTable") || SameText(name, "cmdTableDirect"))
    return TCommandTextKind::Table;
  if (SameText(name, "ctStoredProc") || SameText(name, "cmdStoredProc")) return TCommandTextKind::Procedure;
  return TCommandTextKind::Statement;
}

// The name of the dataset's command type; empty when its class has none.
std::string CommandTypeName(const TDataSet& dataSet) {
  const TPropInfo* prop = GetPropInfo(dataSet, "CommandType");
  if (!prop || !prop->PropType || prop->PropType->Kind != TTypeKind::tkEnumeration) return "";
  return GetEnumName(*prop->PropType, GetOrdProp(dataSet, "CommandType"));
}

bool IsPlainName(const std::string& s) {
  // plain name: letters, digits, '_' and '$', not starting with a digit,
  // in parts joined by single dots
  if (s.empty()) return false;
  bool partStart = true;
  for (unsigned char c : s) {
    if (c == '.') {
      if (partStart) return false;
      partStart = true;
      continue;
    }
    if (!(std::isalnum(c) || c == '_' || c == '$')) return false;
    if (partStart && std::isdigit(c)) return false;
    partStart = false;
  }
  return !partStart;
}

std::string Trimmed(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

} // namespace

std::string QuoteCommandTextName(const std::string& given) {
  std::string name = Trimmed(given);
  if (IsPlainName(name)) return name;
  if (name.size() >= 2 && name.front() == '`' && name.back() == '`') return name;
  if (name.size() >= 2 && ((name.front() == '"' && name.back() == '"') || (name.front() == '[' && name.back() == ']')))
    name = name.substr(1, name.size() - 2);
  std::string quoted = "`";
  for (char c : name) {
    if (c == '`') quoted += '`';
    quoted += c;
  }
  return quoted + "`";
}

std::string CommandTextStatement(const TDataSet& dataSet) {
  return CommandTextStatement(CommandTypeName(dataSet), GetStrProp(dataSet, "CommandText"));
}

std::string CommandTextStatement(std::string_view commandType, const std::string& text) {
  switch (KindOf(commandType)) {
  case TCommandTextKind::Statement: return text;
  case TCommandTextKind::Table: return Trimmed(text).empty() ? text : "SELECT * FROM " + QuoteCommandTextName(text);
  case TCommandTextKind::Procedure: return Trimmed(text).empty() ? text : "CALL " + QuoteCommandTextName(text);
  }
  return text;
}
