#pragma once
// The context-menu editor of one component: its verbs and what they do. The
// host creates one for a menu or a double-click and frees it afterwards.
#include "classes/TClassInfo.h"
#include "designhost/IFormDesigner.h"

#include <functional>
#include <memory>
#include <string>

class TComponent;
class TComponentEditor;

struct TComponentEditorClass {
  const TClassInfo* Class = nullptr;
  std::function<std::unique_ptr<TComponentEditor>(TComponent*, IFormDesigner*)> Create;

  const std::string& ClassName() const { return Class->ClassName(); }
  template <class E>
  static TComponentEditorClass Of() {
    return {&E::StaticClass(), [](TComponent* component, IFormDesigner* designer) -> std::unique_ptr<TComponentEditor> {
              return std::make_unique<E>(component, designer);
            }};
  }
};

class TComponentEditor : public TObject {
  QUELM_CLASS(TComponentEditor, TObject)

public:
  TComponentEditor(TComponent* component, IFormDesigner* designer);

  // Double-click: the first verb, when there is one.
  virtual void Edit();
  virtual void ExecuteVerb(int index);
  virtual std::string GetVerb(int index);
  virtual int GetVerbCount();
  virtual void PrepareItem(int index) {}
  virtual void Copy() {}

  TComponent* Component() const { return FComponent; }
  IFormDesigner* GetDesigner() const { return FDesigner; }

private:
  TComponent* FComponent;
  IFormDesigner* FDesigner;
};

// What the host uses for a component without a registered editor.
class TDefaultEditor : public TComponentEditor {
  QUELM_CLASS(TDefaultEditor, TComponentEditor)

public:
  using TComponentEditor::TComponentEditor;
};
