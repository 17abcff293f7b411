#pragma once
// The host's default editors for integer, enumeration (Boolean included),
// set, float and method properties.
#include "designhost/TPropertyEditor.h"

class TIntegerProperty : public TPropertyEditor {
  QUELM_CLASS(TIntegerProperty, TPropertyEditor)

public:
  using TPropertyEditor::TPropertyEditor;
  std::string GetValue() override;
  void SetValue(const std::string& value) override;  // raises EPropertyError for a non-number
};

class TEnumProperty : public TPropertyEditor {
  QUELM_CLASS(TEnumProperty, TPropertyEditor)

public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void GetValues(const TGetStrProc& proc) override;
  void SetValue(const std::string& value) override;  // a member name, or its ordinal
};

class TSetProperty : public TPropertyEditor {
  QUELM_CLASS(TSetProperty, TPropertyEditor)

public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void SetValue(const std::string& value) override;  // "[a,b]"
};

class TFloatProperty : public TPropertyEditor {
  QUELM_CLASS(TFloatProperty, TPropertyEditor)

public:
  using TPropertyEditor::TPropertyEditor;
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
};

class TMethodProperty : public TPropertyEditor {
  QUELM_CLASS(TMethodProperty, TPropertyEditor)

public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  // Names a method of the form (the root); an empty name clears the handler.
  void SetValue(const std::string& value) override;
};
