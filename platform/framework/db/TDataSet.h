#pragma once
// The host's dataset: field definitions, field objects, open and close, the
// current record, and the dataset events. Descendants supply the data through
// the Internal* operations.
#include "classes/TComponent.h"
#include "db/FieldTypes.h"
#include "db/TField.h"
#include "db/TFieldDefs.h"
#include "rtl/TList.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class TDataSource;
class TStrings;

enum class TDataAction { daFail, daAbort, daRetry };

using TDataSetNotifyEvent = TEvent<TDataSet*>;
using TDataSetErrorEvent = TEvent<TDataSet*, EDatabaseError*, TDataAction&>;
using TFilterRecordEvent = TEvent<TDataSet*, bool&>;

class TDataSet : public TComponent {
  QUELM_CLASS(TDataSet, TComponent)

public:
  explicit TDataSet(TComponent* owner);
  ~TDataSet() override;

  bool Active() const { return FState != TDataSetState::dsInactive; }
  void SetActive(bool active);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  TDataSetState State() const { return FState; }

  TFieldDefs& FieldDefs() { return *FFieldDefs; }
  const TFieldDefs& FieldDefs() const { return *FFieldDefs; }
  const TList<TField>& Fields() const { return FFields; }
  int FieldCount() const { return FFields.Count(); }
  // The persistent fields (those with an owner), in field order.
  void GetChildren(const std::function<void(TComponent*)>& proc) const override;
  TField* FindField(const std::string& name) const;   // ignoring case; none when absent
  TField* FieldByName(const std::string& name) const;  // raises "Field '%s' not found"
  void GetFieldNames(TStrings& list) const;
  // True when the dataset made its fields itself at open (no persistent fields).
  bool DefaultFields() const { return FDefaultFields; }

  // Record navigation over the rows the descendant delivered at open.
  int RecordCount() const { return static_cast<int>(FRecords.size()); }
  int RecNo() const { return FRecNo + 1; }
  bool IsEmpty() const { return FRecords.empty(); }
  bool Eof() const { return FRecords.empty() || FRecNo >= RecordCount(); }
  void First();
  void Next();
  std::optional<std::string> FieldValue(const TField& field) const;

  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& filter) { FFilter = filter; }
  bool Filtered() const { return FFiltered; }
  void SetFiltered(bool filtered) { FFiltered = filtered; }
  bool AutoCalcFields() const { return FAutoCalcFields; }
  void SetAutoCalcFields(bool v) { FAutoCalcFields = v; }

  // The data source this dataset follows as a detail (none by default).
  virtual TDataSource* GetDataSource() const { return nullptr; }
  // True when source's dataset is this dataset, or follows it through a chain
  // of master data sources: making source this dataset's master would then
  // close a circle.
  bool IsLinkedTo(const TDataSource* source) const;

  // Called by TFieldDefs::Update and TIndexDefs::Update.
  virtual void UpdateFieldDefs();
  virtual void UpdateIndexDefs() {}

  const TFilterRecordEvent& OnFilterRecord() const { return FOnFilterRecord; }
  virtual void SetOnFilterRecord(const TFilterRecordEvent& handler) { FOnFilterRecord = handler; }
  TMethod OnFilterRecordMethod() const { return FOnFilterRecord.Method(); }
  void SetOnFilterRecordMethod(TMethod method);

  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose, BeforeInsert, AfterInsert, BeforeEdit,
      AfterEdit, BeforePost, AfterPost, BeforeCancel, AfterCancel, BeforeDelete, AfterDelete, BeforeScroll,
      AfterScroll, OnCalcFields, OnNewRecord;
  TDataSetErrorEvent OnDeleteError, OnEditError, OnPostError;

  void Loaded() override;

protected:
  // Fills the field definitions from the data's source.
  virtual void InternalInitFieldDefs() {}
  // Opens the source and delivers the rows through SetRecords.
  virtual void InternalOpen() {}
  virtual void InternalClose() {}
  // Column names and rows; a missing value is SQL NULL.
  using TRow = std::vector<std::optional<std::string>>;
  void SetRecords(std::vector<std::string> columns, std::vector<TRow> rows);
  // Puts the values of the named columns into the current record, as a
  // refresh from the data's source brings them; other columns keep theirs.
  void SetCurrentValues(const std::vector<std::string>& columns, const TRow& values);
  void CheckInactive() const;
  void CheckActive() const;
  void CreateFields();
  void DestroyDefaultFields();

private:
  friend class TField;
  void AddField(TField* field);
  void RemoveField(TField* field);

  TDataSetState FState = TDataSetState::dsInactive;
  bool FStreamedActive = false;
  std::unique_ptr<TFieldDefs> FFieldDefs;
  TList<TField> FFields;
  bool FDefaultFields = true;
  std::vector<std::string> FColumns;
  std::vector<TRow> FRecords;
  int FRecNo = 0;
  std::string FFilter;
  bool FFiltered = false;
  bool FAutoCalcFields = true;
  TFilterRecordEvent FOnFilterRecord;
};
