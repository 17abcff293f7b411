#pragma once
// A query whose SQL text holds macros: &Name is replaced by the text of the
// Macros entry Name=text before the parameters are filled in. A macro is
// SQL text, not a value: it is inserted as it stands.
#include "runtime/TQuelmQuery.h"

class TQuelmMacroQuery : public TQuelmQuery {
  QUELM_CLASS(TQuelmMacroQuery, TQuelmQuery)

public:
  explicit TQuelmMacroQuery(TComponent* owner);
  ~TQuelmMacroQuery() override;

  TStrings* Macros() const { return FMacros.get(); }
  void SetMacros(TStrings* macros);
  const std::string& MacroChar() const { return FMacroChar; }
  void SetMacroChar(const std::string& c);

  // The SQL text with every known macro replaced; unknown ones stay.
  std::string ExpandMacros(const std::string& text) const;

protected:
  std::string ParamSourceText() const override { return ExpandMacros(SQL()->Text()); }

private:
  std::unique_ptr<TStringList> FMacros;
  std::string FMacroChar = "&";
};
