#pragma once
// The design host's main window over a design session: the menus and tool
// bar (open, save, save all, close), the palette, the list of open modules,
// the component tree, the object inspector and the form view.
#include "ConnectionOptions.h"
#include "TEditorLauncher.h"

#include "designhost/session/TDesignSession.h"

#include <QMainWindow>

#include <string>
#include <vector>

class QAction;
class QListWidget;
class QMenu;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class TFormView;
class TInspectorView;
struct TResourceTable;

class TDesignerWindow : public QMainWindow {
public:
  TDesignerWindow(const TResourceTable* resources, TConnectionOptions connection, QWidget* parent = nullptr);
  ~TDesignerWindow() override;

  // Opens form files (with their units); those that can be read open. False
  // when one cannot be read: each such file is named with the place of its
  // fault in a message box (when the window shows) and on the status bar.
  bool OpenFiles(const std::vector<std::string>& files);
  // Saves the current module; false when a file could not be written.
  bool SaveCurrent();
  bool SaveAll();
  // Closes the current module, asking first when it has unsaved changes;
  // false when the user cancelled.
  bool CloseCurrent();
  void ShowModule(TDesignModule* module);
  void SelectComponents(const std::vector<TComponent*>& components);

  TDesignSession& Session() { return FSession; }
  TDesignModule* CurrentModule() const { return FCurrent; }
  TFormView* FormView() const { return FFormView; }
  TInspectorView* Inspector() const { return FInspector; }
  QTreeWidget* Tree() const { return FTree; }
  QListWidget* Modules() const { return FModules; }
  QTabWidget* Palette() const { return FPalette; }
  QAction* SaveAction() const { return FSaveAction; }
  QAction* SaveAllAction() const { return FSaveAllAction; }
  QAction* ConnectionAction() const { return FConnectionAction; }
  // The server the lists and editors use.
  const TConnectionOptions& Connection() const { return FEditors.Connection(); }
  // The last error shown in the status bar.
  const QString& LastError() const { return FLastError; }
  // The context menu of a component: the component editor's verbs, then
  // Delete and Rename.
  QMenu* ContextMenu(TComponent* component);

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildMenus();
  void BuildPalette();
  void RefreshModules();
  void RefreshTree();
  void RefreshAll();
  void ModuleChanged();
  void Error(const QString& message);
  void RenameComponent(TComponent* component);
  void DeleteComponent(TComponent* component);
  // Asks about a module's unsaved changes: true to go on (saved or
  // discarded), false for cancel.
  bool MayDiscard(TDesignModule& module);
  std::string TakeDropClass();

  TDesignSession FSession;
  TEditorLauncher FEditors;
  const TResourceTable* FResources;
  TDesignModule* FCurrent = nullptr;
  QListWidget* FModules = nullptr;
  QTabWidget* FPalette = nullptr;
  QTreeWidget* FTree = nullptr;
  TInspectorView* FInspector = nullptr;
  TFormView* FFormView = nullptr;
  QAction* FSaveAction = nullptr;
  QAction* FSaveAllAction = nullptr;
  QAction* FCloseAction = nullptr;
  QAction* FConnectionAction = nullptr;
  std::vector<QToolButton*> FPaletteButtons;
  bool FRefreshingTree = false;
  QString FLastError;
};
