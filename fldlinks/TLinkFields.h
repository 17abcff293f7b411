#pragma once
// The Field Link Designer: a modal dialog that joins fields of a detail
// dataset to fields of its master dataset. The detail side is the fields of
// one index, chosen in a drop-down, or, for an adapter that is not index
// based, all fields of the detail dataset. The dialog reads and writes the
// link settings only through the adapter; on OK it writes the master-field
// list and the detail side (an index field list, or an index by name when a
// whole index is joined).
#include "forms/TForm.h"

#include <memory>
#include <string>

class TBevel;
class TButton;
class TComboBox;
class TDataSet;
class TLabel;
class TListBox;
class TQuelmFieldLinkProperty;
class TStringList;
class TStrings;

class TLinkFields : public TForm {
  QUELM_CLASS(TLinkFields, TForm)

public:
  explicit TLinkFields(TComponent* owner);
  ~TLinkFields() override;

  // The adapter; stored before SetDataSet.
  void SetLinkProperty(TQuelmFieldLinkProperty* linkProperty) { FLinkProperty = linkProperty; }
  // Takes the detail dataset and its master; raises "Missing DataSet
  // property" when the detail dataset has no master.
  void SetDataSet(TDataSet* dataSet);
  // Runs the dialog; on OK writes back through the adapter and returns true.
  bool Edit();
  void Initialize();
  // Sorts list by each entry's position in order (an entry missing from
  // order goes first); entries of equal position keep their order.
  void OrderFieldList(TStrings& order, TStrings& list);
  // Inserts a pair into BindList before the first pair whose detail field
  // comes later in the offered detail order.
  void AddToBindList(const std::string& detail, const std::string& master);

  // Event handlers, bound by name from the form definition.
  void FormCreate(TObject* sender);
  void FormDestroy(TObject* sender);
  void IndexListChange(TObject* sender);
  void BindingListClick(TObject* sender);
  void AddButtonClick(TObject* sender);
  void DeleteButtonClick(TObject* sender);
  void ClearButtonClick(TObject* sender);
  void BindListClick(TObject* sender);
  void BitBtn1Click(TObject* sender);
  void HelpClick(TObject* sender);

  // The controls of the form definition, owned by the form.
  TListBox* DetailList = nullptr;
  TListBox* MasterList = nullptr;
  TListBox* BindList = nullptr;
  TLabel* Label30 = nullptr;
  TLabel* Label31 = nullptr;
  TComboBox* IndexList = nullptr;
  TLabel* IndexLabel = nullptr;
  TLabel* Label2 = nullptr;
  TBevel* Bevel1 = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;
  TButton* ClearButton = nullptr;
  TButton* Button1 = nullptr;
  TButton* Button2 = nullptr;
  TButton* Help = nullptr;

private:
  void BindControls();
  // Turns the current link settings into joined pairs, pairing the n-th
  // master name with the n-th detail name.
  void JoinCurrentLinks(const std::string& masterFields, const std::string& detailFields);
  void SetDetailMarker(const std::string& detail, bool linked);
  void ClearDetailMarkers();

  TDataSet* FDetailSet = nullptr;
  TDataSet* FMasterSet = nullptr;
  TQuelmFieldLinkProperty* FLinkProperty = nullptr;
  std::string FNewIndexName;
  std::string FNewMasterFields;
  std::string FNewIndexFieldNames;
  // Every detail field offered, in the adapter's order; the object slot
  // holds the link marker (1 while the field sits in a pair).
  std::unique_ptr<TStringList> FDetailOrder;
  // Every master field, in the master dataset's order.
  std::unique_ptr<TStringList> FMasterOrder;
};
