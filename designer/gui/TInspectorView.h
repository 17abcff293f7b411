#pragma once
// The object inspector over the design session's selection: one row per
// property the registered editors give, sorted by name, events on their own
// page with their handler names. A value-list property edits through a
// drop-down filled when it opens, a dialog property through an ellipsis
// button, the others by typing; read-only rows are greyed. A class property
// whose object has properties of its own (Constraints, Font) shows an arrow
// that opens them as indented rows under it, edited the same ways by their
// dotted paths.
#include "designhost/session/TDesignSession.h"

#include <QTabWidget>

#include <functional>
#include <set>
#include <string>
#include <vector>

class QTableWidget;
class TEditorLauncher;

class TInspectorView : public QTabWidget {
public:
  TInspectorView(TDesignSession& session, TEditorLauncher& editors, QWidget* parent = nullptr);

  // Reads the selection's rows again.
  void Refresh();
  // The rows shown, properties and events together, in the presenter's
  // terms; and the grids.
  const std::vector<TInspectorRow>& Rows() const { return FRows; }
  QTableWidget* Properties() const { return FProperties; }
  QTableWidget* Events() const { return FEvents; }
  // The grid row of a property (or event, or "Parent.Sub" sub-property);
  // -1 when it is not shown.
  int RowOf(const std::string& name, QTableWidget** grid = nullptr) const;

  std::function<void()> OnChanged;  // a value was set
  std::function<void(const QString&)> OnError;

  // The property path a grid row shows.
  static std::string PathAt(const QTableWidget* grid, int row);
  // Shows or hides a class property's sub-properties ("Font", "Font.Style").
  void SetExpanded(const std::string& path, bool expanded);

private:
  // A grid line: a row of the session's, or a sub-property under one.
  struct TShownRow {
    TInspectorRow Row;
    std::string Path;  // "SQL", "Font.Style"
    int Depth = 0;
    bool Expandable = false;
  };
  void AddSubRows(std::vector<TShownRow>& rows, const std::string& path, int depth);
  std::vector<std::string> Values(const std::string& path);
  void Fill(QTableWidget* grid, const std::vector<TShownRow>& rows);
  void Set(const std::string& property, const std::string& value);
  void Edit(const std::string& property);
  QWidget* ValueListEditor(const TInspectorRow& row);
  QWidget* DialogEditor(const TInspectorRow& row);

  TDesignSession& FSession;
  TEditorLauncher& FEditors;
  QTableWidget* FProperties;
  QTableWidget* FEvents;
  std::vector<TInspectorRow> FRows;
  std::set<std::string> FExpanded;
  bool FFilling = false;
};

// Whether the row is an event (a method property).
bool IsEventRow(const TInspectorRow& row);
