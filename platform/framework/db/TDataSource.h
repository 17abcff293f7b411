#pragma once
// Connects data-aware controls and detail datasets to a dataset.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "db/TDataSet.h"

class TDataSource : public TComponent {
  QUELM_CLASS(TDataSource, TComponent)

public:
  explicit TDataSource(TComponent* owner);

  TDataSet* DataSet() const { return FDataSet.Get(); }
  // Raises "Circular datalinks are not allowed" when the dataset follows this
  // data source, directly or through other data sources.
  void SetDataSet(TDataSet* dataSet);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled) { FEnabled = enabled; }
  bool AutoEdit() const { return FAutoEdit; }
  void SetAutoEdit(bool autoEdit) { FAutoEdit = autoEdit; }

  // True when dataSet follows this data source, directly or through a chain
  // of master data sources.
  bool IsLinkedTo(const TDataSet* dataSet) const;

  TNotifyEvent OnStateChange;
  TEvent<TObject*, TField*> OnDataChange;
  TNotifyEvent OnUpdateData;

private:
  TComponentRef<TDataSet> FDataSet;
  bool FEnabled = true;
  bool FAutoEdit = true;
};
