#pragma once
// The host's collection editor: its window (TCollectionEditorForm), run
// modally. A program or test may install a handler that takes the request
// instead.
#include <functional>
#include <string>

class IFormDesigner;
class TComponent;
class TCollection;

struct TCollectionEditorRequest {
  TComponent* Component = nullptr;
  TCollection* Collection = nullptr;
  std::string PropertyName;
};

using TCollectionEditorHandler = std::function<void(IFormDesigner*, const TCollectionEditorRequest&)>;

void ShowCollectionEditor(IFormDesigner* designer, TComponent* component, TCollection* collection,
                          const std::string& propertyName);

// Installs the program's collection editor for the life of the guard.
class TCollectionEditorGuard {
public:
  explicit TCollectionEditorGuard(TCollectionEditorHandler handler);
  ~TCollectionEditorGuard();
  TCollectionEditorGuard(const TCollectionEditorGuard&) = delete;
  TCollectionEditorGuard& operator=(const TCollectionEditorGuard&) = delete;

private:
  TCollectionEditorHandler FPrevious;
};
