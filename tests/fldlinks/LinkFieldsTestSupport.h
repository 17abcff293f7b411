#pragma once
// What the field link designer's tests share: a designer that counts
// modifications, datasets with given fields, an adapter over plain settings,
// and readers that turn the dialog's state into short texts.
#include "classes/TStringList.h"
#include "support/ExpectRaises.h"
#include "classes/TypInfo.h"
#include "db/TDataSet.h"
#include "db/TDataSource.h"
#include "db/TIndexDefs.h"
#include "designhost/IFormDesigner.h"
#include "fldlinks/TQuelmFieldLinkProperty.h"
#include "forms/TButton.h"
#include "forms/TListBox.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The designer of a form that is a plain component; counts Modified calls.
class TCountingDesigner : public IFormDesigner {
public:
  explicit TCountingDesigner(TComponent& root) : FRoot(root) {}
  void Modified() override { ++ModifiedCount; }
  TComponent* GetComponent(const std::string& name) override { return FRoot.FindComponent(name); }
  TComponent* GetRoot() override { return &FRoot; }
  void GetComponentNames(const TTypeInfo& type, const std::function<void(const std::string&)>& proc) override {
    for (int i = 0; i < FRoot.ComponentCount(); ++i)
      if (FRoot.Components(i)->InheritsFrom(*type.ClassType)) proc(FRoot.Components(i)->Name());
  }
  std::string GetComponentName(const TComponent* c) override { return c ? c->Name() : ""; }
  int ModifiedCount = 0;

private:
  TComponent& FRoot;
};

// A property editor as the host makes it for the property of the selection.
template <class E>
std::unique_ptr<E> EditorOn(IFormDesigner* designer, std::vector<TPersistent*> selection, const char* property) {
  auto editor = std::make_unique<E>(designer, static_cast<int>(selection.size()));
  for (size_t i = 0; i < selection.size(); ++i)
    editor->SetPropEntry(static_cast<int>(i), selection[i], GetPropInfo(*selection[i], property));
  return editor;
}

// A dataset whose field definitions are the given names; it follows Source.
class TListedDataSet : public TDataSet {
public:
  TListedDataSet(TComponent* owner, std::vector<std::string> fields) : TDataSet(owner), FNames(std::move(fields)) {}
  TDataSource* GetDataSource() const override { return Source; }
  TDataSource* Source = nullptr;

protected:
  void InternalInitFieldDefs() override {
    FieldDefs().Clear();
    for (const std::string& name : FNames) FieldDefs().Add(name, TFieldType::ftInteger);
  }

private:
  std::vector<std::string> FNames;
};

// An adapter over plain settings with index definitions of its own. Index
// based or not as the test says; "Primary" names the unnamed primary index,
// as the table's adapter does. Records every setter call.
class TSettingsAdapter : public TQuelmFieldLinkProperty {
  QUELM_CLASS(TSettingsAdapter, TQuelmFieldLinkProperty)

public:
  using TQuelmFieldLinkProperty::TQuelmFieldLinkProperty;

  bool IndexBased = false;
  TIndexDefs Defs{nullptr};
  std::string IndexName, IndexFieldNames, MasterFields;
  std::vector<std::string> Calls;

  void GetFieldNamesForIndex(TStrings& list) override {
    int index = Defs.IndexOf(IndexName);
    if (index < 0) return;
    std::string text = Defs.Items(index)->Fields();
    for (size_t start = 0; start < text.size();) {
      size_t end = text.find(';', start);
      if (end == std::string::npos) end = text.size();
      list.Add(text.substr(start, end - start));
      start = end + 1;
    }
  }
  bool GetIndexBased() override { return IndexBased; }
  TIndexDefs* GetIndexDefs() override { return IndexBased ? &Defs : nullptr; }
  std::string GetIndexFieldNames() override { return IndexFieldNames; }
  std::string GetIndexName() override { return IndexName; }
  std::string GetMasterFields() override { return MasterFields; }
  void SetIndexFieldNames(const std::string& value) override {
    Calls.push_back("SetIndexFieldNames(" + value + ")");
    IndexFieldNames = value;
    IndexName.clear();
  }
  void SetIndexName(const std::string& value) override {
    Calls.push_back("SetIndexName(" + value + ")");
    IndexName = value == "Primary" ? std::string() : value;
    IndexFieldNames.clear();
  }
  void SetMasterFields(const std::string& value) override {
    Calls.push_back("SetMasterFields(" + value + ")");
    MasterFields = value;
  }
};

inline std::vector<std::string> Items(const TListBox& box) { return box.Items()->ToVector(); }

inline std::string Current(const TListBox& box) {
  return box.ItemIndex() >= 0 ? box.Items()->Get(box.ItemIndex()) : std::string("(none)");
}

// The three editing buttons' enabled states, "Add Delete Clear" with
// on/off each.
inline std::string ButtonStates(const TButton& add, const TButton& remove, const TButton& clear) {
  auto state = [](const TButton& b) { return std::string(b.Enabled() ? "on" : "off"); };
  return state(add) + " " + state(remove) + " " + state(clear);
}

// The message of the exception action raises, "(nothing raised)" when it raises none.
inline std::string ErrorOf(const std::function<void()>& action) { return TestSupport::ErrorOf<std::exception>(action); }
