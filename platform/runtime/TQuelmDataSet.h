#pragma once
// The base of the suite's datasets: a host dataset bound to a TQuelmDatabase,
// with an optional update object. Field definitions come from the server's
// description of the dataset's statement, without fetching rows.
#include "classes/TComponentRef.h"
#include "db/TDataSet.h"
#include "runtime/TQuelmDatabase.h"

#include <string>

class TQuelmUpdateSQL;

class TQuelmDataSet : public TDataSet {
  QUELM_CLASS(TQuelmDataSet, TDataSet)

public:
  explicit TQuelmDataSet(TComponent* owner);
  ~TQuelmDataSet() override;

  TQuelmDatabase* GetDatabase() const { return FDatabase.Get(); }
  void SetDatabase(TQuelmDatabase* database);
  TQuelmUpdateSQL* GetUpdateObject() const { return FUpdateObject.Get(); }
  void SetUpdateObject(TQuelmUpdateSQL* updateObject);
  bool CachedUpdates() const { return FCachedUpdates; }
  void SetCachedUpdates(bool cachedUpdates);
  const std::string& About() const { return FAbout; }
  void SetAbout(const std::string& v) { FAbout = v; }

  // Puts a row the server sent for the current record (its refresh
  // statement's result) into that record; columns the dataset lacks are
  // dropped.
  void RefreshCurrentRecord(const std::vector<std::string>& columns, const std::vector<std::optional<std::string>>& row) {
    SetCurrentValues(columns, row);
  }

  // The fields of the current index (none for a dataset without indexes).
  virtual int GetIndexFieldCount() const { return 0; }
  virtual TField* GetIndexField(int index) const;


protected:
  // The statement whose result this dataset shows; empty when there is none
  // yet (no table name, no SQL text).
  virtual std::string SelectSQL() const = 0;
  // The statement the server describes for the field definitions; by default
  // SelectSQL. It is prepared, never run.
  virtual std::string DescribeSQL() const { return SelectSQL(); }
  // Raises when the dataset cannot be opened for a reason of its own.
  virtual void CheckSelectSQL() const;

  void InternalInitFieldDefs() override;
  void InternalOpen() override;
  // The database, connected; raises "Database not assigned" without one.
  TQuelmDatabase& CheckDatabase() const;

private:
  friend class TQuelmDatabase;
  TComponentRef<TQuelmDatabase> FDatabase;
  TComponentRef<TQuelmUpdateSQL> FUpdateObject;
  bool FCachedUpdates = false;
  std::string FAbout;
};
