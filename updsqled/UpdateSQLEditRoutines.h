#pragma once
// The UpdateSQL editor's routines over its list boxes and over SQL text.
#include <string>

class TDataSet;
class TListBox;
class TStrings;

// Clears list, then adds the texts of the box's selected items in list order.
void CollectSelectedItems(const TListBox& box, TStrings& list);
// Selects exactly the items whose text list contains (ignoring case) and
// returns how many are selected; focus and view go to the first item.
int MarkListedItems(TListBox& box, const TStrings& list);
// Selects every item; focus and view go to the first item.
void SelectAllItems(TListBox& box);
// Refreshes the dataset's field definitions and puts their names into list.
// A failure shows "Unable to determine field names for %s" with errorName
// (nothing when errorName is empty) and leaves list as it was.
void ReadFieldDefNames(TDataSet& dataSet, const std::string& errorName, TStrings& list);
// The table names of a SELECT statement's FROM list, with the quoted marker.
void ParseSelectTables(const std::string& text, TStrings& list);
// The table of an UPDATE statement, and on request its assigned and compared columns.
void ParseUpdateStatement(const std::string& text, std::string& tableName, TStrings* updateFields,
                          TStrings* whereFields);
