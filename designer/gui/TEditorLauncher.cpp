#include "TEditorLauncher.h"

#include "designhost/session/TDesignSession.h"

#include <memory>

template <class F> auto TEditorLauncher::WithServer(F f) {
  std::unique_ptr<TConnectionOverride> server;
  if (FConnection.Any()) server = std::make_unique<TConnectionOverride>(FConnection, FSession.Services());
  return f();
}

std::vector<std::string> TEditorLauncher::Values(const std::string& property) {
  return WithServer([&] { return FSession.PropertyValues(property); });
}

std::string TEditorLauncher::Edit(const std::string& property) {
  return WithServer([&] { return FSession.EditProperty(property); });
}

std::string TEditorLauncher::Verb(TComponent& component, int index) {
  return WithServer([&] { return FSession.ExecuteVerb(component, index); });
}
