#pragma once
// The statements the inherited dbExpress and ADO datasets of descendant
// forms stand for, worked out before a run converts their ancestors. A
// descendant's form file holds only what it changes: its own command text
// read by the command type its ancestor sets, or the other way round, is a
// table or procedure name that needs its ancestors' settings to become
// SELECT * FROM name or CALL name. Once the ancestors' datasets are
// converted those settings are gone, so they are read first.
#include <map>
#include <optional>
#include <string>
#include <utility>

class TComponent;
class TDesignSession;

class TInheritedCommandTexts {
public:
  TInheritedCommandTexts() = default;
  // Reads every open form of the session.
  explicit TInheritedCommandTexts(TDesignSession& session);

  // The statement for an inherited dataset whose own form sets its command
  // text or its command type, with what its ancestors set for the other;
  // none for any other component.
  std::optional<std::string> StatementOf(const TComponent& inherited) const;

private:
  // By root and lower-case name.
  std::map<std::pair<const TComponent*, std::string>, std::string> FStatements;
};
