#include "TDesignerWindow.h"

#include "PaletteBitmap.h"
#include "TConnectionDialog.h"
#include "TFormView.h"
#include "TInspectorView.h"

#include "classes/TClassRegistry.h"
#include "designhost/DesignRegistry.h"
#include "rtl/Exceptions.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <unordered_map>

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr int ComponentRole = Qt::UserRole + 1;

TComponent* ComponentOf(const QTreeWidgetItem* item) {
  return item ? reinterpret_cast<TComponent*>(item->data(0, ComponentRole).value<quintptr>()) : nullptr;
}

QString ModuleTitle(TDesignModule& module) { return QFileInfo(Q(module.FileName())).fileName(); }

QWidget* Titled(const QString& title, QWidget* body) {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  auto* label = new QLabel(title, box);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  label->setContentsMargins(4, 4, 0, 0);
  layout->addWidget(label);
  layout->addWidget(body, 1);
  return box;
}

} // namespace

TDesignerWindow::TDesignerWindow(const TResourceTable* resources, TConnectionOptions connection, QWidget* parent)
    : QMainWindow(parent),
      FSession(TClassRegistry::Global(), TDesignRegistry::Instance()),
      FEditors(FSession, std::move(connection)),
      FResources(resources) {
  setWindowTitle(tr("Quelm Designer"));
  BuildMenus();

  FModules = new QListWidget;
  FModules->setObjectName("modules");
  FModules->setTextElideMode(Qt::ElideMiddle);
  FTree = new QTreeWidget;
  FTree->setObjectName("componentTree");
  FTree->setHeaderHidden(true);
  FTree->setSelectionMode(QAbstractItemView::ExtendedSelection);
  FTree->setContextMenuPolicy(Qt::CustomContextMenu);
  FInspector = new TInspectorView(FSession, FEditors);
  FInspector->setObjectName("inspector");
  FFormView = new TFormView(FSession, resources);
  FFormView->setObjectName("formView");

  auto* scroll = new QScrollArea;
  scroll->setWidget(FFormView);
  scroll->setWidgetResizable(false);
  scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scroll->setBackgroundRole(QPalette::Dark);
  QPalette pal = scroll->palette();
  pal.setColor(QPalette::Dark, QColor(171, 178, 191));
  scroll->setPalette(pal);

  auto* left = new QSplitter(Qt::Vertical);
  left->addWidget(Titled(tr("Open modules"), FModules));
  left->addWidget(Titled(tr("Components"), FTree));
  left->addWidget(Titled(tr("Object Inspector"), FInspector));
  left->setStretchFactor(0, 1);
  left->setStretchFactor(1, 3);
  left->setStretchFactor(2, 6);
  left->setSizes({60, 280, 420});

  auto* main = new QSplitter(Qt::Horizontal);
  main->addWidget(left);
  main->addWidget(scroll);
  main->setStretchFactor(1, 1);
  main->setSizes({380, 1000});

  FPalette = new QTabWidget;
  FPalette->setObjectName("palette");
  FPalette->setDocumentMode(true);
  BuildPalette();

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(4, 2, 4, 4);
  layout->setSpacing(4);
  layout->addWidget(FPalette);
  layout->addWidget(main, 1);
  setCentralWidget(central);
  statusBar()->showMessage(tr("Ready"));

  connect(FModules, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row < FSession.ModuleCount() && &FSession.Module(row) != FCurrent) ShowModule(&FSession.Module(row));
  });
  connect(FTree, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (FRefreshingTree) return;
    std::vector<TComponent*> selected;
    for (QTreeWidgetItem* item : FTree->selectedItems())
      if (TComponent* c = ComponentOf(item)) selected.push_back(c);
    if (!selected.empty()) SelectComponents(selected);
  });
  connect(FTree, &QTreeWidget::customContextMenuRequested, this, [this](QPoint at) {
    if (TComponent* c = ComponentOf(FTree->itemAt(at))) {
      QMenu* menu = ContextMenu(c);
      menu->exec(FTree->viewport()->mapToGlobal(at));
      menu->deleteLater();
    }
  });
  FFormView->TakeDropClass = [this] { return TakeDropClass(); };
  FFormView->OnSelect = [this](const std::vector<TComponent*>& c) { SelectComponents(c); };
  FFormView->OnDropped = [this](TComponent* c) {
    ModuleChanged();
    SelectComponents({c});
    statusBar()->showMessage(tr("Added %1").arg(Q(c->Name())), 5000);
  };
  FFormView->OnChanged = [this] { ModuleChanged(); };
  FFormView->OnError = [this](const QString& m) { Error(m); };
  FFormView->OnContextMenu = [this](TComponent* c, QPoint at) {
    QMenu* menu = ContextMenu(c);
    menu->exec(at);
    menu->deleteLater();
  };
  FInspector->OnChanged = [this] { ModuleChanged(); };
  FInspector->OnError = [this](const QString& m) { Error(m); };
  RefreshAll();
  resize(1280, 800);
}

TDesignerWindow::~TDesignerWindow() = default;

void TDesignerWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  QAction* open = file->addAction(style()->standardIcon(QStyle::SP_DialogOpenButton), tr("&Open..."));
  open->setShortcut(QKeySequence::Open);
  FSaveAction = file->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("&Save"));
  FSaveAction->setShortcut(QKeySequence::Save);
  FSaveAllAction = file->addAction(style()->standardIcon(QStyle::SP_DriveFDIcon), tr("Save A&ll"));
  FSaveAllAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  FCloseAction = file->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton), tr("&Close"));
  FCloseAction->setShortcut(QKeySequence::Close);
  file->addSeparator();
  FConnectionAction = file->addAction(style()->standardIcon(QStyle::SP_DriveNetIcon), tr("Co&nnection..."));
  file->addSeparator();
  QAction* quit = file->addAction(tr("E&xit"));
  quit->setShortcut(QKeySequence::Quit);

  connect(open, &QAction::triggered, this, [this] {
    QStringList names = QFileDialog::getOpenFileNames(this, tr("Open"), QString(),
                                                      tr("Form files (*.dfm *.xfm *.lfm);;All files (*)"));
    std::vector<std::string> files;
    for (const QString& n : names) files.push_back(n.toStdString());
    if (!files.empty()) OpenFiles(files);
  });
  connect(FSaveAction, &QAction::triggered, this, [this] { SaveCurrent(); });
  connect(FSaveAllAction, &QAction::triggered, this, [this] { SaveAll(); });
  connect(FCloseAction, &QAction::triggered, this, [this] { CloseCurrent(); });
  connect(quit, &QAction::triggered, this, &QWidget::close);
  connect(FConnectionAction, &QAction::triggered, this, [this] {
    TConnectionDialog dialog(FEditors.Connection(), this);
    if (dialog.exec() == QDialog::Accepted) {
      FEditors.SetConnection(dialog.Options());
      statusBar()->showMessage(FEditors.Connection().Host ? tr("Server: %1").arg(Q(*FEditors.Connection().Host))
                                                          : tr("Server: the embedded server"),
                               8000);
    }
  });

  QToolBar* tools = addToolBar(tr("File"));
  tools->setObjectName("fileToolBar");
  tools->setMovable(false);
  tools->setIconSize(QSize(20, 20));
  tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  tools->addAction(open);
  tools->addAction(FSaveAction);
  tools->addAction(FSaveAllAction);
  tools->addAction(FCloseAction);
  tools->addSeparator();
  tools->addAction(FConnectionAction);
}

void TDesignerWindow::BuildPalette() {
  for (const auto& [page, classes] : TDesignRegistry::Instance().PalettePages()) {
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);
    for (const TClassInfo* cls : classes) {
      auto* button = new QToolButton(bar);
      std::string name = cls->ClassName();
      button->setObjectName(Q(name));
      button->setToolTip(Q(name));
      button->setIcon(QIcon(QPixmap::fromImage(PaletteBitmap(FResources, name))));
      button->setIconSize(QSize(PaletteBitmapSize, PaletteBitmapSize));
      button->setFixedSize(32, 32);
      button->setCheckable(true);
      button->setAutoRaise(true);
      button->setProperty("className", Q(name));
      connect(button, &QToolButton::toggled, this, [this, button](bool on) {
        if (!on) return;
        for (QToolButton* other : FPaletteButtons)
          if (other != button) other->setChecked(false);
        statusBar()->showMessage(tr("Click on the form to drop a %1").arg(button->toolTip()));
      });
      row->addWidget(button);
      FPaletteButtons.push_back(button);
    }
    row->addStretch(1);
    FPalette->addTab(bar, Q(page));
  }
  FPalette->setFixedHeight(FPalette->tabBar()->sizeHint().height() + 40);
}

std::string TDesignerWindow::TakeDropClass() {
  for (QToolButton* button : FPaletteButtons)
    if (button->isChecked()) {
      button->setChecked(false);
      return button->property("className").toString().toStdString();
    }
  return {};
}

bool TDesignerWindow::OpenFiles(const std::vector<std::string>& files) {
  // The files that can be read open; each one that cannot is named with
  // where it went wrong (file:line:column) in a box a person notices, not
  // only on the status bar.
  std::vector<TDesignModule*> opened;
  std::vector<TModuleServices::TOpenFailure> failures;
  QStringList problems;
  try {
    opened = FSession.OpenLeavingOut(files, failures);
  } catch (const std::exception& e) {
    problems << QString::fromUtf8(e.what());
  }
  for (const auto& failure : failures)
    problems << (failure.Error ? Q(failure.Error->Message()) : tr("%1 cannot be read").arg(Q(failure.Path)));
  if (!opened.empty()) ShowModule(opened.front());
  RefreshModules();
  for (const std::string& note : FSession.TakeNotes()) statusBar()->showMessage(Q(note), 10000);
  if (problems.isEmpty()) return true;
  Error(problems.join('\n'));
  if (isVisible()) {
    QMessageBox box(QMessageBox::Warning, tr("Open"),
                    problems.size() == 1 ? tr("This file could not be opened:") : tr("These files could not be opened:"),
                    QMessageBox::Ok, this);
    box.setInformativeText(problems.join('\n'));
    box.exec();
  }
  return false;
}

void TDesignerWindow::ShowModule(TDesignModule* module) {
  FCurrent = module;
  FFormView->SetModule(module);
  if (module) {
    setWindowTitle(tr("Quelm Designer - %1").arg(ModuleTitle(*module)));
    FSession.Select({module->Root()});
  } else {
    setWindowTitle(tr("Quelm Designer"));
    FSession.Select({});
  }
  RefreshAll();
}

void TDesignerWindow::SelectComponents(const std::vector<TComponent*>& components) {
  FSession.Select(components);
  FRefreshingTree = true;
  FTree->clearSelection();
  for (QTreeWidgetItemIterator it(FTree); *it; ++it)
    if (std::find(components.begin(), components.end(), ComponentOf(*it)) != components.end()) {
      (*it)->setSelected(true);
      FTree->scrollToItem(*it);
    }
  FRefreshingTree = false;
  FInspector->Refresh();
  FFormView->update();
}

void TDesignerWindow::RefreshModules() {
  QSignalBlocker block(FModules);
  FModules->clear();
  for (int i = 0; i < FSession.ModuleCount(); ++i) {
    TDesignModule& m = FSession.Module(i);
    auto* item = new QListWidgetItem(ModuleTitle(m) + (m.IsModified() ? QStringLiteral(" *") : QString()));
    item->setToolTip(Q(m.FileName()));
    FModules->addItem(item);
    if (&m == FCurrent) FModules->setCurrentItem(item);
  }
  bool modified = FCurrent && FCurrent->IsModified();
  FSaveAction->setEnabled(modified);
  FSaveAllAction->setEnabled(FSession.IsModified());
  FCloseAction->setEnabled(FCurrent != nullptr);
}

void TDesignerWindow::RefreshTree() {
  FRefreshingTree = true;
  FTree->clear();
  if (FCurrent) {
    std::unordered_map<const TComponent*, QTreeWidgetItem*> items;
    std::vector<TComponent*> selection = FSession.Selection();
    for (const TFormFile::TTreeEntry& entry : FSession.ComponentTree(*FCurrent)) {
      auto it = items.find(entry.Parent);
      auto* item = it != items.end() ? new QTreeWidgetItem(it->second) : new QTreeWidgetItem(FTree);
      item->setText(0, Q(entry.Component->Name() + ": " + entry.Component->ClassName()));
      item->setData(0, ComponentRole, QVariant::fromValue(reinterpret_cast<quintptr>(entry.Component)));
      item->setIcon(0, QIcon(QPixmap::fromImage(PaletteBitmap(FResources, entry.Component->ClassName()))
                                 .scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
      if (entry.Component->IsAncestor() || entry.Component->IsInline()) {
        QFont italic = item->font(0);
        italic.setItalic(true);
        item->setFont(0, italic);
      }
      items[entry.Component] = item;
      if (std::find(selection.begin(), selection.end(), entry.Component) != selection.end()) item->setSelected(true);
    }
    FTree->expandAll();
  }
  FRefreshingTree = false;
}

void TDesignerWindow::RefreshAll() {
  RefreshModules();
  RefreshTree();
  FInspector->Refresh();
  FFormView->update();
}

void TDesignerWindow::ModuleChanged() {
  FFormView->Refresh();
  RefreshAll();
  for (const std::string& note : FSession.TakeNotes()) statusBar()->showMessage(Q(note), 10000);
}

void TDesignerWindow::Error(const QString& message) {
  FLastError = message;
  statusBar()->showMessage(message, 15000);
}

bool TDesignerWindow::SaveCurrent() {
  if (!FCurrent) return false;
  try {
    std::vector<std::string> written = FSession.Save(*FCurrent);
    statusBar()->showMessage(written.empty() ? tr("Nothing to save")
                                             : tr("Saved %1").arg(Q(written.front()) +
                                                                 (written.size() > 1 ? QStringLiteral(" and its unit") : QString())),
                             8000);
  } catch (const std::exception& e) {
    Error(QString::fromUtf8(e.what()));
    if (isVisible()) QMessageBox::warning(this, tr("Save"), QString::fromUtf8(e.what()));
    return false;
  }
  RefreshAll();
  return true;
}

bool TDesignerWindow::SaveAll() {
  try {
    std::vector<std::string> written = FSession.Save();
    statusBar()->showMessage(tr("Saved %n file(s)", nullptr, static_cast<int>(written.size())), 8000);
  } catch (const std::exception& e) {
    Error(QString::fromUtf8(e.what()));
    if (isVisible()) QMessageBox::warning(this, tr("Save All"), QString::fromUtf8(e.what()));
    return false;
  }
  RefreshAll();
  return true;
}

bool TDesignerWindow::MayDiscard(TDesignModule& module) {
  if (!module.IsModified()) return true;
  auto answer = QMessageBox::question(this, tr("Close"), tr("Save changes to %1?").arg(ModuleTitle(module)),
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Cancel) return false;
  if (answer == QMessageBox::No) return true;
  TDesignModule* current = FCurrent;
  FCurrent = &module;
  bool saved = SaveCurrent();
  FCurrent = current;
  return saved;
}

bool TDesignerWindow::CloseCurrent() {
  if (!FCurrent || !MayDiscard(*FCurrent)) return false;
  TDesignModule* closing = FCurrent;
  FFormView->SetModule(nullptr);
  FCurrent = nullptr;
  FSession.Close(*closing);
  ShowModule(FSession.ModuleCount() > 0 ? &FSession.Module(0) : nullptr);
  return true;
}

void TDesignerWindow::closeEvent(QCloseEvent* event) {
  for (int i = 0; i < FSession.ModuleCount(); ++i)
    if (!MayDiscard(FSession.Module(i))) {
      event->ignore();
      return;
    }
  event->accept();
}

QMenu* TDesignerWindow::ContextMenu(TComponent* component) {
  auto* menu = new QMenu(this);
  menu->setObjectName("componentMenu");
  std::vector<std::string> verbs;
  try {
    verbs = FSession.Verbs(*component);
  } catch (const std::exception& e) {
    Error(QString::fromUtf8(e.what()));
  }
  for (int i = 0; i < static_cast<int>(verbs.size()); ++i) {
    QAction* verb = menu->addAction(Q(verbs[static_cast<size_t>(i)]));
    connect(verb, &QAction::triggered, this, [this, component, i] {
      try {
        FEditors.Verb(*component, i);
      } catch (const std::exception& e) {
        Error(QString::fromUtf8(e.what()));
      }
      ModuleChanged();
    });
  }
  if (!verbs.empty()) menu->addSeparator();
  bool own = FCurrent && component != FCurrent->Root() && !component->IsAncestor() && !component->IsInline();
  QAction* del = menu->addAction(tr("&Delete"));
  del->setShortcut(QKeySequence::Delete);
  del->setEnabled(own);
  connect(del, &QAction::triggered, this, [this, component] { DeleteComponent(component); });
  QAction* rename = menu->addAction(tr("&Rename..."));
  // The form itself may be renamed too; its class and unit follow.
  rename->setEnabled(own || (FCurrent && component == FCurrent->Root()));
  connect(rename, &QAction::triggered, this, [this, component] { RenameComponent(component); });
  return menu;
}

void TDesignerWindow::DeleteComponent(TComponent* component) {
  if (!FCurrent) return;
  try {
    FSession.DeleteComponents(*FCurrent, {component});
    FSession.Select({FCurrent->Root()});
  } catch (const std::exception& e) {
    Error(QString::fromUtf8(e.what()));
  }
  ModuleChanged();
}

void TDesignerWindow::RenameComponent(TComponent* component) {
  if (!FCurrent) return;
  bool ok = false;
  QString name = QInputDialog::getText(this, tr("Rename"), tr("New name of %1:").arg(Q(component->Name())),
                                       QLineEdit::Normal, Q(component->Name()), &ok);
  if (!ok || name.isEmpty()) return;
  try {
    FSession.RenameComponent(*FCurrent, *component, name.toStdString());
  } catch (const std::exception& e) {
    Error(QString::fromUtf8(e.what()));
  }
  ModuleChanged();
}
