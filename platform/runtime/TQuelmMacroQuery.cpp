#include "runtime/TQuelmMacroQuery.h"

#include "db/DatabaseError.h"
#include "runtime/SqlText.h"

QUELM_DEFINE_CLASS(TQuelmMacroQuery, TQuelmQuery, b.ComponentFactory();
                   b.Property("MacroChar", TypeInfoString(), &TQuelmMacroQuery::MacroChar,
                              &TQuelmMacroQuery::SetMacroChar);
                   b.Property("Macros", TStrings::StaticClass().TypeInfo(), &TQuelmMacroQuery::Macros,
                              &TQuelmMacroQuery::SetMacros))

TQuelmMacroQuery::TQuelmMacroQuery(TComponent* owner)
    : TQuelmQuery(owner), FMacros(std::make_unique<TStringList>()) {
  FMacros->OnChange = TNotifyEvent([this](TObject*) { QueryChanged(); });
}

TQuelmMacroQuery::~TQuelmMacroQuery() { FMacros->OnChange.Clear(); }

void TQuelmMacroQuery::SetMacros(TStrings* macros) {
  if (macros && macros != FMacros.get()) FMacros->Assign(macros);
}

void TQuelmMacroQuery::SetMacroChar(const std::string& c) {
  if (c.empty()) DatabaseError("MacroChar must not be empty", this);
  FMacroChar = c;
  QueryChanged();
}

std::string TQuelmMacroQuery::ExpandMacros(const std::string& text) const {
  return SqlReplaceMacros(text, FMacroChar, [this](const std::string& name, std::string& value) {
    int index = FMacros->IndexOfName(name);
    if (index < 0) return false;
    value = FMacros->Values(name);
    return true;
  });
}
