#pragma once
// The entry of the field link designer for other units.
class TDataSet;
class TQuelmFieldLinkProperty;

// Runs the field link designer for dataSet through adapter. True when the
// developer confirmed with OK; the adapter's setters have then been called.
// The dialog is freed in every case; an error passes on after that.
bool EditMasterFields(TDataSet* dataSet, TQuelmFieldLinkProperty& adapter);
