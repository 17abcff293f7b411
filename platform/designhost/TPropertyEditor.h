#pragma once
// The inspector's editor of one property over the selected components. The
// host creates one for an inspection, asks it for attributes, value, value
// list or dialog, and frees it.
#include "classes/TClassInfo.h"
#include "designhost/IFormDesigner.h"
#include "designhost/PropertyAttributes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TPersistent;
class TPropertyEditor;

using TGetStrProc = std::function<void(const std::string&)>;
using TGetPropProc = std::function<void(std::unique_ptr<TPropertyEditor>)>;

// A property editor class as registrations name it: its class information
// and how to make one.
struct TPropertyEditorClass {
  const TClassInfo* Class = nullptr;
  std::function<std::unique_ptr<TPropertyEditor>(IFormDesigner*, int)> Create;

  const std::string& ClassName() const { return Class->ClassName(); }
  template <class E>
  static TPropertyEditorClass Of() {
    return {&E::StaticClass(), [](IFormDesigner* designer, int propCount) -> std::unique_ptr<TPropertyEditor> {
              return std::make_unique<E>(designer, propCount);
            }};
  }
};

class TPropertyEditor : public TObject {
  QUELM_CLASS(TPropertyEditor, TObject)

public:
  TPropertyEditor(IFormDesigner* designer, int propCount);

  // The virtual operations, in the host's order.
  virtual void Activate();
  virtual bool AllEqual();
  virtual bool AutoFill();
  virtual void Edit();
  virtual TPropertyAttributes GetAttributes();
  virtual int GetEditLimit();
  virtual std::string GetName();
  virtual void GetProperties(const TGetPropProc& proc);
  virtual std::string GetValue();
  virtual void GetValues(const TGetStrProc& proc);
  virtual void Initialize();
  virtual void SetValue(const std::string& value);

  int PropCount() const { return static_cast<int>(FProps.size()); }
  // The i-th selected component.
  TPersistent* GetComponent(int index) const;
  IFormDesigner* Designer() const { return FDesigner; }
  const TPropInfo* GetPropInfo() const;
  const TTypeInfo* GetPropType() const;
  // Tells the designer that the form changed.
  void Modified();

  // The host fills in the property of each selected component before use.
  void SetPropEntry(int index, TPersistent* instance, const TPropInfo* prop);

protected:
  std::string GetStrValue() const;
  std::string GetStrValueAt(int index) const;
  void SetStrValue(const std::string& value);
  int64_t GetOrdValue() const;
  int64_t GetOrdValueAt(int index) const;
  void SetOrdValue(int64_t value);
  double GetFloatValue() const;
  void SetFloatValue(double value);
  TMethod GetMethodValue() const;
  void SetMethodValue(const TMethod& value);
  TObject* GetObjectValue() const;
  void SetObjectValue(TObject* value);

private:
  struct TPropEntry {
    TPersistent* Instance = nullptr;
    const TPropInfo* Prop = nullptr;
  };
  IFormDesigner* FDesigner;
  std::vector<TPropEntry> FProps;
};
