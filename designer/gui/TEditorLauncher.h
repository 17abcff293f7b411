#pragma once
// Where the window hands over to the package's editors: a property's
// drop-down list, its ellipsis button and a component editor's verbs. Each
// runs with the window's connection options applied to the open modules'
// databases for the call only (the embedded server when none are given),
// so that nothing of them reaches a form file. The dialogs the editors open
// come from the framework's widget set.
#include "ConnectionOptions.h"

#include <string>
#include <vector>

class TComponent;
class TDesignSession;

class TEditorLauncher {
public:
  TEditorLauncher(TDesignSession& session, TConnectionOptions connection)
      : FSession(session), FConnection(std::move(connection)) {}

  const TConnectionOptions& Connection() const { return FConnection; }
  void SetConnection(TConnectionOptions connection) { FConnection = std::move(connection); }

  // The drop-down list of the selection's property.
  std::vector<std::string> Values(const std::string& property);
  // Presses the property's ellipsis button; the value shown afterwards.
  std::string Edit(const std::string& property);
  // Runs verb index of the component's editor; the verb's text.
  std::string Verb(TComponent& component, int index);

private:
  template <class F> auto WithServer(F f);

  TDesignSession& FSession;
  TConnectionOptions FConnection;
};
