#include "designhost/CollectionEditor.h"

#include "designhost/TCollectionEditorForm.h"

namespace {
TCollectionEditorHandler& CurrentHandler() {
  static TCollectionEditorHandler handler;
  return handler;
}
} // namespace

void ShowCollectionEditor(IFormDesigner* designer, TComponent* component, TCollection* collection,
                          const std::string& propertyName) {
  if (CurrentHandler()) {
    CurrentHandler()(designer, {component, collection, propertyName});
    return;
  }
  if (collection) RunCollectionEditorForm(designer, component, *collection, propertyName);
}

TCollectionEditorGuard::TCollectionEditorGuard(TCollectionEditorHandler handler) : FPrevious(CurrentHandler()) {
  CurrentHandler() = std::move(handler);
}

TCollectionEditorGuard::~TCollectionEditorGuard() { CurrentHandler() = std::move(FPrevious); }
