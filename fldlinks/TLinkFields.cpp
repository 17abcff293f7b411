#include "fldlinks/TLinkFields.h"

#include "forms/FormControl.h"

#include "classes/TStringList.h"
#include "db/DatabaseError.h"
#include "db/TDataSet.h"
#include "db/TDataSource.h"
#include "db/TIndexDefs.h"
#include "fldlinks/FieldLinkText.h"
#include "fldlinks/QuelmFldLinksStrings.h"
#include "fldlinks/TQuelmFieldLinkProperty.h"
#include "forms/MessageDialogs.h"
#include "forms/TApplication.h"
#include "forms/TBevel.h"
#include "forms/TButton.h"
#include "forms/TComboBox.h"
#include "forms/TLabel.h"
#include "forms/TListBox.h"
#include "package/PackageModule.h"
#include "rtl/Format.h"

namespace {
constexpr int LinkDesignerHelpContext = 27140;
// OrderFieldList's starting bound: the lists are assumed shorter.
constexpr int NoPosition = 32767;
constexpr const char* ListAppendFormat = "%s%s;";

bool IsLinked(const TStrings& order, int index) { return order.Objects(index) != nullptr; }

// "a;b;" without its trailing separator.
void DropLastChar(std::string& text) {
  if (!text.empty()) text.pop_back();
}
} // namespace

QUELM_DEFINE_CLASS(TLinkFields, TForm,
                   b.Method("FormCreate", &TLinkFields::FormCreate);
                   b.Method("FormDestroy", &TLinkFields::FormDestroy);
                   b.Method("IndexListChange", &TLinkFields::IndexListChange);
                   b.Method("BindingListClick", &TLinkFields::BindingListClick);
                   b.Method("AddButtonClick", &TLinkFields::AddButtonClick);
                   b.Method("DeleteButtonClick", &TLinkFields::DeleteButtonClick);
                   b.Method("ClearButtonClick", &TLinkFields::ClearButtonClick);
                   b.Method("BindListClick", &TLinkFields::BindListClick);
                   b.Method("BitBtn1Click", &TLinkFields::BitBtn1Click);
                   b.Method("HelpClick", &TLinkFields::HelpClick))

TLinkFields::TLinkFields(TComponent* owner) : TForm(owner) {}

TLinkFields::~TLinkFields() = default;

void TLinkFields::BindControls() {
  DetailList = FindFormControl<TListBox>(*this, "DetailList");
  MasterList = FindFormControl<TListBox>(*this, "MasterList");
  BindList = FindFormControl<TListBox>(*this, "BindList");
  Label30 = FindFormControl<TLabel>(*this, "Label30");
  Label31 = FindFormControl<TLabel>(*this, "Label31");
  IndexList = FindFormControl<TComboBox>(*this, "IndexList");
  IndexLabel = FindFormControl<TLabel>(*this, "IndexLabel");
  Label2 = FindFormControl<TLabel>(*this, "Label2");
  Bevel1 = FindFormControl<TBevel>(*this, "Bevel1");
  AddButton = FindFormControl<TButton>(*this, "AddButton");
  DeleteButton = FindFormControl<TButton>(*this, "DeleteButton");
  ClearButton = FindFormControl<TButton>(*this, "ClearButton");
  Button1 = FindFormControl<TButton>(*this, "Button1");
  Button2 = FindFormControl<TButton>(*this, "Button2");
  Help = FindFormControl<TButton>(*this, "Help");
}

void TLinkFields::FormCreate(TObject*) {
  BindControls();
  FDetailOrder = std::make_unique<TStringList>();
  FMasterOrder = std::make_unique<TStringList>();
  SetHelpContext(LinkDesignerHelpContext);
}

void TLinkFields::FormDestroy(TObject*) {
  FDetailOrder.reset();
  FMasterOrder.reset();
}

void TLinkFields::SetDataSet(TDataSet* dataSet) {
  // An editor on a component that is no dataset has nothing to link.
  if (!dataSet) DatabaseError(PackageResString(SMissingDataSet));
  dataSet->FieldDefs().Update();
  if (TIndexDefs* indexDefs = FLinkProperty->GetIndexDefs()) indexDefs->Update();
  TDataSource* source = dataSet->GetDataSource();
  if (!source || !source->DataSet()) DatabaseError(PackageResString(SMissingDataSet), dataSet);
  source->DataSet()->FieldDefs().Update();
  FDetailSet = dataSet;
  FMasterSet = source->DataSet();
}

bool TLinkFields::Edit() {
  Initialize();
  if (ShowModal() != mrOk) return false;
  if (!FNewIndexName.empty()) FLinkProperty->SetIndexName(FNewIndexName);
  else FLinkProperty->SetIndexFieldNames(FNewIndexFieldNames);
  FLinkProperty->SetMasterFields(FNewMasterFields);
  return true;
}

void TLinkFields::Initialize() {
  TIndexDefs* indexDefs = FLinkProperty->GetIndexDefs();
  if (FLinkProperty->GetIndexBased()) {
    TStrings& items = *IndexList->Items();
    FLinkProperty->GetIndexNames(items);
    std::string indexFieldNames = FLinkProperty->GetIndexFieldNames();
    std::string current;
    if (!indexFieldNames.empty()) {
      if (!indexDefs) DatabaseErrorFmt(DBText::NoIndexForFields, indexFieldNames, FDetailSet);
      current = indexDefs->FindIndexForFields(indexFieldNames)->Name();
    } else {
      current = FLinkProperty->GetIndexName();
    }
    int index = current.empty() ? -1 : items.IndexOf(current);
    IndexList->SetItemIndex(index >= 0 ? index : 0);
  } else {
    IndexLabel->SetVisible(false);
    IndexList->SetVisible(false);
  }
  FNewMasterFields = FLinkProperty->GetMasterFields();
  std::string indexFieldNames = FLinkProperty->GetIndexFieldNames();
  std::string indexName = FLinkProperty->GetIndexName();
  int named = indexFieldNames.empty() && !indexName.empty() && indexDefs ? indexDefs->IndexOf(indexName) : -1;
  FNewIndexFieldNames = named >= 0 ? indexDefs->Items(named)->Fields() : indexFieldNames;
  IndexListChange(this);
  FMasterSet->GetFieldNames(*MasterList->Items());
  FMasterOrder->Assign(MasterList->Items());
  JoinCurrentLinks(FNewMasterFields, FNewIndexFieldNames);
}

void TLinkFields::JoinCurrentLinks(const std::string& masterFields, const std::string& detailFields) {
  int masterPos = 1;
  int detailPos = 1;
  const int masterLength = static_cast<int>(masterFields.size());
  const int detailLength = static_cast<int>(detailFields.size());
  while (masterPos <= masterLength && detailPos <= detailLength) {
    std::string master = NextFieldName(masterFields, masterPos);
    std::string detail = NextFieldName(detailFields, detailPos);
    int masterIndex = MasterList->Items()->IndexOf(master);
    if (masterIndex < 0 || FDetailOrder->IndexOf(detail) < 0) continue;
    SetDetailMarker(detail, true);
    // A detail name given twice is joined again; its entry left the list
    // the first time.
    if (int detailIndex = DetailList->Items()->IndexOf(detail); detailIndex >= 0) DetailList->Items()->Delete(detailIndex);
    MasterList->Items()->Delete(masterIndex);
    BindList->Items()->Add(FormatPair(detail, master));
    ClearButton->SetEnabled(true);
  }
}

void TLinkFields::IndexListChange(TObject*) {
  TStrings& details = *DetailList->Items();
  details.Clear();
  if (FLinkProperty->GetIndexBased()) {
    FLinkProperty->SetIndexName(IndexList->Text());
    std::string indexName = FLinkProperty->GetIndexName();
    TIndexDefs* indexDefs = FLinkProperty->GetIndexDefs();
    int index = indexDefs ? indexDefs->IndexOf(indexName) : -1;
    if (index >= 0 && !indexDefs->Items(index)->Expression().empty())
      details.Add(indexDefs->Items(index)->Expression());
    else
      FLinkProperty->GetFieldNamesForIndex(details);
  } else {
    FDetailSet->GetFieldNames(details);
  }
  MasterList->Items()->Assign(FMasterOrder.get());
  FDetailOrder->Assign(&details);
  ClearDetailMarkers();
  BindList->Items()->Clear();
  AddButton->SetEnabled(false);
  ClearButton->SetEnabled(false);
  DeleteButton->SetEnabled(false);
  MasterList->SetItemIndex(-1);
}

void TLinkFields::OrderFieldList(TStrings& order, TStrings& list) {
  const int count = list.Count();
  for (int i = 0; i < count; ++i) {
    int best = NoPosition;
    int bestIndex = -1;
    for (int j = i; j < list.Count(); ++j) {
      int position = order.IndexOf(list.Get(j));
      if (position < best) {
        best = position;
        bestIndex = j;
      }
    }
    if (bestIndex >= 0) list.Move(bestIndex, i);
  }
}

void TLinkFields::AddToBindList(const std::string& detail, const std::string& master) {
  const int position = FDetailOrder->IndexOf(detail);
  std::string pair = FormatPair(detail, master);
  TStrings& pairs = *BindList->Items();
  for (int i = 0; i < pairs.Count(); ++i) {
    if (FDetailOrder->IndexOf(PairDetailField(pairs.Get(i))) > position) {
      pairs.Insert(i, pair);
      return;
    }
  }
  pairs.Add(pair);
}

void TLinkFields::BindingListClick(TObject*) {
  AddButton->SetEnabled(DetailList->ItemIndex() != -1 && MasterList->ItemIndex() != -1);
}

void TLinkFields::AddButtonClick(TObject*) {
  const int detailIndex = DetailList->ItemIndex();
  const int masterIndex = MasterList->ItemIndex();
  std::string detail = DetailList->Items()->Get(detailIndex);
  std::string master = MasterList->Items()->Get(masterIndex);
  AddToBindList(detail, master);
  SetDetailMarker(detail, true);
  DetailList->Items()->Delete(detailIndex);
  MasterList->Items()->Delete(masterIndex);
  ClearButton->SetEnabled(true);
  AddButton->SetEnabled(false);
}

void TLinkFields::DeleteButtonClick(TObject*) {
  TStrings& pairs = *BindList->Items();
  for (int i = pairs.Count() - 1; i >= 0; --i) {
    if (!BindList->Selected(i)) continue;
    std::string pair = pairs.Get(i);
    std::string detail = PairDetailField(pair);
    DetailList->Items()->Add(detail);
    MasterList->Items()->Add(PairMasterField(pair));
    SetDetailMarker(detail, false);
    pairs.Delete(i);
  }
  const bool remaining = pairs.Count() > 0;
  if (remaining) BindList->SetItemIndex(0);
  DeleteButton->SetEnabled(remaining);
  ClearButton->SetEnabled(remaining);
  OrderFieldList(*FDetailOrder, *DetailList->Items());
  DetailList->SetItemIndex(-1);
  OrderFieldList(*FMasterOrder, *MasterList->Items());
  MasterList->SetItemIndex(-1);
  AddButton->SetEnabled(false);
}

void TLinkFields::ClearButtonClick(TObject*) {
  TStrings& pairs = *BindList->Items();
  for (int i = 0; i < pairs.Count(); ++i) DetailList->Items()->Add(PairDetailField(pairs.Get(i)));
  pairs.Clear();
  ClearButton->SetEnabled(false);
  DeleteButton->SetEnabled(false);
  OrderFieldList(*FDetailOrder, *DetailList->Items());
  DetailList->SetItemIndex(-1);
  MasterList->Items()->Assign(FMasterOrder.get());
  ClearDetailMarkers();
  AddButton->SetEnabled(false);
}

void TLinkFields::BindListClick(TObject*) { DeleteButton->SetEnabled(BindList->ItemIndex() != -1); }

void TLinkFields::BitBtn1Click(TObject*) {
  FNewMasterFields.clear();
  FNewIndexFieldNames.clear();
  FNewIndexName.clear();
  if (FLinkProperty->GetIndexBased()) {
    // The joined fields must be a leading run of the index: a link on the
    // second field alone cannot use the index.
    bool gap = false;
    int firstGap = -1;
    for (int i = 0; i < FDetailOrder->Count(); ++i) {
      if (!IsLinked(*FDetailOrder, i)) {
        gap = true;
        if (firstGap < 0) firstGap = i;
      } else if (gap) {
        std::string field = FDetailOrder->Get(firstGap);
        MessageDlg(Format(PackageResString(SLinkDesigner), {field}), TMsgDlgType::mtError,
                   TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0);
        SetModalResult(mrNone);
        DetailList->SetItemIndex(DetailList->Items()->IndexOf(field));
        return;
      }
    }
    if (!gap) FNewIndexName = FLinkProperty->GetIndexName();
  }
  TStrings& pairs = *BindList->Items();
  for (int i = 0; i < pairs.Count(); ++i) {
    std::string pair = pairs.Get(i);
    FNewMasterFields = Format(ListAppendFormat, {FNewMasterFields, PairMasterField(pair)});
    FNewIndexFieldNames = Format(ListAppendFormat, {FNewIndexFieldNames, PairDetailField(pair)});
  }
  DropLastChar(FNewMasterFields);
  DropLastChar(FNewIndexFieldNames);
}

void TLinkFields::HelpClick(TObject*) { Application().HelpContext(HelpContext()); }

void TLinkFields::SetDetailMarker(const std::string& detail, bool linked) {
  int index = FDetailOrder->IndexOf(detail);
  if (index >= 0) FDetailOrder->PutObject(index, linked ? MarkerObject(1) : nullptr);
}

void TLinkFields::ClearDetailMarkers() {
  for (int i = 0; i < FDetailOrder->Count(); ++i) FDetailOrder->PutObject(i, nullptr);
}
