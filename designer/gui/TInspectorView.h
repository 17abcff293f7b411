#pragma once
// The object inspector over the design session's selection: one row per
// property the registered editors give, sorted by name, events on their own
// page with their handler names. A value-list property edits through a
// drop-down filled when it opens, a dialog property through an ellipsis
// button, the others by typing; read-only rows are greyed.
#include "designhost/session/TDesignSession.h"

#include <QTabWidget>

#include <functional>
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
  // The grid row of a property (or event); -1 when it is not shown.
  int RowOf(const std::string& name, QTableWidget** grid = nullptr) const;

  std::function<void()> OnChanged;  // a value was set
  std::function<void(const QString&)> OnError;

private:
  void Fill(QTableWidget* grid, const std::vector<const TInspectorRow*>& rows);
  void Set(const std::string& property, const std::string& value);
  void Edit(const std::string& property);
  QWidget* ValueListEditor(const TInspectorRow& row);
  QWidget* DialogEditor(const TInspectorRow& row);

  TDesignSession& FSession;
  TEditorLauncher& FEditors;
  QTableWidget* FProperties;
  QTableWidget* FEvents;
  std::vector<TInspectorRow> FRows;
  bool FFilling = false;
};

// Whether the row is an event (a method property).
bool IsEventRow(const TInspectorRow& row);
