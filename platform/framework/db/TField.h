#pragma once
// Field objects: a dataset's columns as components. Persistent fields are
// owned by the form (their owner) and belong to their dataset's field list;
// moving a field to another dataset keeps its name, owner and handlers.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "db/FieldTypes.h"

#include <optional>
#include <string>
#include <vector>

class TDataSet;
class TField;

using TFieldNotifyEvent = TEvent<TField*>;
using TFieldGetTextEvent = TEvent<TField*, std::string&, bool>;
using TFieldSetTextEvent = TEvent<TField*, const std::string&>;

class TField : public TComponent {
  QUELM_CLASS(TField, TComponent)

public:
  explicit TField(TComponent* owner);
  ~TField() override;

  TDataSet* DataSet() const { return FDataSet; }
  // Moves the field into another dataset's field list (none: out of any).
  void SetDataSet(TDataSet* dataSet);
  // A form file nests a persistent field in its dataset.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  int Index() const;
  int FieldNo() const { return FFieldNo; }
  void SetFieldNo(int fieldNo) { FFieldNo = fieldNo; }

  const std::string& FieldName() const { return FFieldName; }
  void SetFieldName(const std::string& name) { FFieldName = name; }
  TFieldType DataType() const { return FDataType; }
  void SetDataType(TFieldType type) { FDataType = type; }
  int Size() const { return FSize; }
  void SetSize(int size) { FSize = size; }
  TFieldKind FieldKind() const { return FFieldKind; }
  void SetFieldKind(TFieldKind kind) { FFieldKind = kind; }
  bool IsLookup() const { return FFieldKind == TFieldKind::fkLookup; }
  std::string DisplayLabel() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
  void SetDisplayLabel(const std::string& label) { FDisplayLabel = label; }
  int DisplayWidth() const { return FDisplayWidth; }
  void SetDisplayWidth(int width) { FDisplayWidth = width; }
  const std::string& EditMask() const { return FEditMask; }
  void SetEditMask(const std::string& mask) { FEditMask = mask; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment) { FAlignment = alignment; }
  const std::string& DefaultExpression() const { return FDefaultExpression; }
  void SetDefaultExpression(const std::string& e) { FDefaultExpression = e; }
  const std::string& Origin() const { return FOrigin; }
  void SetOrigin(const std::string& origin) { FOrigin = origin; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible) { FVisible = visible; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool readOnly) { FReadOnly = readOnly; }
  bool Required() const { return FRequired; }
  void SetRequired(bool required) { FRequired = required; }

  const std::string& KeyFields() const { return FKeyFields; }
  void SetKeyFields(const std::string& fields) { FKeyFields = fields; }
  TDataSet* LookupDataSet() const;
  void SetLookupDataSet(TDataSet* dataSet);
  const std::string& LookupKeyFields() const { return FLookupKeyFields; }
  void SetLookupKeyFields(const std::string& fields) { FLookupKeyFields = fields; }
  const std::string& LookupResultField() const { return FLookupResultField; }
  void SetLookupResultField(const std::string& field) { FLookupResultField = field; }
  bool LookupCache() const { return FLookupCache; }
  void SetLookupCache(bool cache) { FLookupCache = cache; }

  // The value in the dataset's current record.
  bool IsNull() const;
  std::string AsString() const;
  int64_t AsInteger() const;
  double AsFloat() const;

  TFieldNotifyEvent OnChange;
  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;
  TFieldNotifyEvent OnValidate;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TDataSet;
  TDataSet* FDataSet = nullptr;
  int FFieldNo = 0;
  std::string FFieldName;
  TFieldType FDataType = TFieldType::ftUnknown;
  int FSize = 0;
  TFieldKind FFieldKind = TFieldKind::fkData;
  std::string FDisplayLabel;
  int FDisplayWidth = 0;
  std::string FEditMask;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  std::string FDefaultExpression;
  std::string FOrigin;
  bool FVisible = true;
  bool FReadOnly = false;
  bool FRequired = false;
  std::string FKeyFields;
  TComponentRef<TDataSet> FLookupDataSet;
  std::string FLookupKeyFields;
  std::string FLookupResultField;
  bool FLookupCache = false;
};
