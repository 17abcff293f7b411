#include "db/TDataSet.h"

#include "classes/TStrings.h"
#include "db/DatabaseError.h"
#include "db/TDataSource.h"
#include "db/FieldClasses.h"
#include "rtl/TextCompare.h"
#include "rtl/ScopeGuard.h"

#define QUELM_DATASET_EVENT(Name) b.Event(#Name, TypeInfoDataSetNotifyEvent(), &TDataSet::Name)
#define QUELM_DATASET_ERROR_EVENT(Name) b.Event(#Name, TypeInfoDataSetErrorEvent(), &TDataSet::Name)

QUELM_DEFINE_CLASS(
    TDataSet, TComponent,
    b.Property("Active", TypeInfoBoolean(), &TDataSet::Active, &TDataSet::SetActive).Default(0);
    b.Property("AutoCalcFields", TypeInfoBoolean(), &TDataSet::AutoCalcFields, &TDataSet::SetAutoCalcFields)
        .Default(1);
    b.Property("Filter", TypeInfoString(), &TDataSet::Filter, &TDataSet::SetFilter);
    b.Property("Filtered", TypeInfoBoolean(), &TDataSet::Filtered, &TDataSet::SetFiltered).Default(0);
    QUELM_DATASET_EVENT(BeforeOpen); QUELM_DATASET_EVENT(AfterOpen); QUELM_DATASET_EVENT(BeforeClose);
    QUELM_DATASET_EVENT(AfterClose); QUELM_DATASET_EVENT(BeforeInsert); QUELM_DATASET_EVENT(AfterInsert);
    QUELM_DATASET_EVENT(BeforeEdit); QUELM_DATASET_EVENT(AfterEdit); QUELM_DATASET_EVENT(BeforePost);
    QUELM_DATASET_EVENT(AfterPost); QUELM_DATASET_EVENT(BeforeCancel); QUELM_DATASET_EVENT(AfterCancel);
    QUELM_DATASET_EVENT(BeforeDelete); QUELM_DATASET_EVENT(AfterDelete); QUELM_DATASET_EVENT(BeforeScroll);
    QUELM_DATASET_EVENT(AfterScroll); QUELM_DATASET_EVENT(OnCalcFields);
    QUELM_DATASET_ERROR_EVENT(OnDeleteError); QUELM_DATASET_ERROR_EVENT(OnEditError);
    b.Property("OnFilterRecord", TypeInfoFilterRecordEvent(), &TDataSet::OnFilterRecordMethod,
               &TDataSet::SetOnFilterRecordMethod);
    QUELM_DATASET_EVENT(OnNewRecord); QUELM_DATASET_ERROR_EVENT(OnPostError))

TDataSet::TDataSet(TComponent* owner) : TComponent(owner), FFieldDefs(std::make_unique<TFieldDefs>(this)) {}

TDataSet::~TDataSet() {
  // The dataset's fields go with it, as the host's do; a field's destructor
  // takes it out of its owner's list as well.
  while (!FFields.IsEmpty()) delete FFields.Last();
}

void TDataSet::SetOnFilterRecordMethod(TMethod method) {
  TFilterRecordEvent handler;
  handler.SetMethod(method);
  SetOnFilterRecord(handler);
}

void TDataSet::CheckInactive() const {
  if (Active()) DatabaseError(DBText::DataSetOpen, this);
}

void TDataSet::CheckActive() const {
  if (!Active()) DatabaseError(DBText::DataSetClosed, this);
}

void TDataSet::SetActive(bool active) {
  if (IsLoading()) {
    FStreamedActive = active;
    return;
  }
  if (active == Active()) return;
  if (active) {
    BeforeOpen(this);
    FState = TDataSetState::dsOpening;
    // An open that fails leaves the dataset closed, without the default
    // fields it made.
    TScopeGuard closeAgain([this] {
      FState = TDataSetState::dsInactive;
      FRecords.clear();
      DestroyDefaultFields();
    });
    UpdateFieldDefs();
    FFieldDefs->SetUpdated(true);
    if (FFields.IsEmpty()) CreateFields();
    InternalOpen();
    closeAgain.Dismiss();
    FState = TDataSetState::dsBrowse;
    FRecNo = 0;
    AfterOpen(this);
  } else {
    BeforeClose(this);
    InternalClose();
    FState = TDataSetState::dsInactive;
    FRecords.clear();
    FColumns.clear();
    DestroyDefaultFields();
    AfterClose(this);
  }
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (FStreamedActive) {
    FStreamedActive = false;
    SetActive(true);
  }
}

void TDataSet::UpdateFieldDefs() {
  FFieldDefs->BeginUpdate();
  TScopeGuard endUpdate([this] { FFieldDefs->EndUpdate(); });
  InternalInitFieldDefs();
}

void TDataSet::CreateFields() {
  for (int i = 0; i < FFieldDefs->Count(); ++i) {
    TFieldDef* def = FFieldDefs->Items(i);
    TComponent* made = FieldClassForType(def->DataType()).CreateComponent(nullptr);
    auto* field = static_cast<TField*>(made);
    field->SetFieldName(def->Name());
    field->SetSize(def->Size());
    field->SetRequired(def->Required());
    field->SetFieldNo(i + 1);
    field->SetDataSet(this);
  }
  FDefaultFields = true;
}

void TDataSet::DestroyDefaultFields() {
  if (!FDefaultFields) return;
  while (!FFields.IsEmpty()) delete FFields.Last();
}

void TDataSet::AddField(TField* field) {
  // Opening makes the default fields; any other time the dataset must be closed.
  if (FState != TDataSetState::dsOpening) CheckInactive();
  if (field->FDataSet) field->FDataSet->RemoveField(field);
  if (field->Owner()) FDefaultFields = false;
  FFields.Add(field);
  field->FDataSet = this;
}

void TDataSet::RemoveField(TField* field) {
  FFields.Remove(field);
  field->FDataSet = nullptr;
  if (FFields.IsEmpty()) FDefaultFields = true;
}

void TDataSet::GetChildren(const std::function<void(TComponent*)>& proc) const {
  for (int i = 0; i < FFields.Count(); ++i)
    if (TField* field = FFields.Items(i); field->Owner()) proc(field);
}

TField* TDataSet::FindField(const std::string& name) const {
  for (TField* field : FFields)
    if (SameText(field->FieldName(), name)) return field;
  return nullptr;
}

TField* TDataSet::FieldByName(const std::string& name) const {
  TField* field = FindField(name);
  if (!field) DatabaseErrorFmt(DBText::FieldNotFound, name, this);
  return field;
}

void TDataSet::GetFieldNames(TStrings& list) const {
  TUpdateGuard guard(list);
  list.Clear();
  if (!FFields.IsEmpty()) {
    for (TField* field : FFields) list.Add(field->FieldName());
    return;
  }
  for (int i = 0; i < FFieldDefs->Count(); ++i) list.Add(FFieldDefs->Items(i)->Name());
}

void TDataSet::SetRecords(std::vector<std::string> columns, std::vector<TRow> rows) {
  FColumns = std::move(columns);
  FRecords = std::move(rows);
  FRecNo = 0;
}

void TDataSet::SetCurrentValues(const std::vector<std::string>& columns, const TRow& values) {
  CheckActive();
  if (FRecNo < 0 || FRecNo >= RecordCount()) return;
  TRow& row = FRecords[static_cast<size_t>(FRecNo)];
  for (size_t v = 0; v < columns.size() && v < values.size(); ++v)
    for (size_t c = 0; c < FColumns.size(); ++c)
      if (SameText(FColumns[c], columns[v])) {
        if (row.size() <= c) row.resize(FColumns.size());
        row[c] = values[v];
        break;
      }
}

void TDataSet::First() {
  CheckActive();
  FRecNo = 0;
}

void TDataSet::Next() {
  CheckActive();
  if (FRecNo < RecordCount()) ++FRecNo;
}

std::optional<std::string> TDataSet::FieldValue(const TField& field) const {
  if (FRecNo < 0 || FRecNo >= RecordCount()) return std::nullopt;
  for (size_t c = 0; c < FColumns.size(); ++c)
    if (SameText(FColumns[c], field.FieldName())) {
      const TRow& row = FRecords[static_cast<size_t>(FRecNo)];
      return c < row.size() ? row[c] : std::nullopt;
    }
  return std::nullopt;
}

bool TDataSet::IsLinkedTo(const TDataSource* source) const {
  // Bounded by the number of links a chain can pass; a chain that loops
  // elsewhere must not hang the inspector.
  for (int steps = 0; source && steps < 10000; ++steps) {
    const TDataSet* dataSet = source->DataSet();
    if (!dataSet) break;
    if (dataSet == this) return true;
    source = dataSet->GetDataSource();
  }
  return false;
}
