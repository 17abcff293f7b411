#include "TInspectorView.h"

#include "TEditorLauncher.h"

#include "designhost/TPropertyEditor.h"
#include "rtl/Exceptions.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <strings.h>

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr int NameRole = Qt::UserRole + 1;
constexpr int ExpandableRole = Qt::UserRole + 2;

// A drop-down whose list the property editor gives when it opens.
class TValueListBox : public QComboBox {
public:
  std::function<std::vector<std::string>()> Values;
  std::function<void(const QString&)> OnError;

  void showPopup() override {
    QString current = currentText();
    blockSignals(true);
    clear();
    try {
      for (const std::string& v : Values()) addItem(Q(v));
    } catch (const std::exception& e) {
      // The list could not be made (no server): say why, show what there is.
      setToolTip(QString::fromUtf8(e.what()));
      if (OnError) OnError(QString::fromUtf8(e.what()));
    }
    int at = findText(current);
    if (at < 0 && !current.isEmpty()) {
      insertItem(0, current);
      at = 0;
    }
    setCurrentIndex(at);
    blockSignals(false);
    QComboBox::showPopup();
  }
};

QTableWidget* MakeGrid(QWidget* parent) {
  auto* grid = new QTableWidget(0, 2, parent);
  grid->setHorizontalHeaderLabels({QObject::tr("Property"), QObject::tr("Value")});
  grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->horizontalHeader()->resizeSection(0, 130);
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(22);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setAlternatingRowColors(true);
  grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                        QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  return grid;
}

} // namespace

bool IsEventRow(const TInspectorRow& row) { return row.EditorClass == "TMethodProperty"; }

TInspectorView::TInspectorView(TDesignSession& session, TEditorLauncher& editors, QWidget* parent)
    : QTabWidget(parent), FSession(session), FEditors(editors), FProperties(MakeGrid(this)), FEvents(MakeGrid(this)) {
  addTab(FProperties, tr("Properties"));
  addTab(FEvents, tr("Events"));
  FEvents->setHorizontalHeaderLabels({tr("Event"), tr("Handler")});
  connect(FProperties, &QTableWidget::itemClicked, this, [this](QTableWidgetItem* item) {
    if (item->column() != 0 || !item->data(ExpandableRole).toBool()) return;
    std::string path = item->data(NameRole).toString().toStdString();
    QTimer::singleShot(0, this, [this, path] { SetExpanded(path, !FExpanded.count(path)); });
  });
  for (QTableWidget* grid : {FProperties, FEvents})
    connect(grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
      if (FFilling || item->column() != 1) return;
      Set(item->data(NameRole).toString().toStdString(), item->text().toStdString());
    });
}

void TInspectorView::Refresh() {
  try {
    FRows = FSession.Selection().empty() ? std::vector<TInspectorRow>{} : FSession.InspectorRows();
  } catch (const std::exception& e) {
    FRows.clear();
    if (OnError) OnError(QString::fromUtf8(e.what()));
  }
  std::stable_sort(FRows.begin(), FRows.end(),
                   [](const TInspectorRow& a, const TInspectorRow& b) { return strcasecmp(a.Name.c_str(), b.Name.c_str()) < 0; });
  std::vector<TShownRow> properties, events;
  for (const TInspectorRow& row : FRows) {
    TShownRow shown{row, row.Name, 0, row.HasSubProperties};
    (IsEventRow(row) ? events : properties).push_back(shown);
    if (shown.Expandable && FExpanded.count(row.Name)) AddSubRows(properties, row.Name, 1);
  }
  Fill(FProperties, properties);
  Fill(FEvents, events);
}

void TInspectorView::AddSubRows(std::vector<TShownRow>& rows, const std::string& path, int depth) {
  std::vector<TInspectorRow> children;
  try {
    children = FSession.SubPropertyRows(path);
  } catch (const std::exception& e) {
    if (OnError) OnError(QString::fromUtf8(e.what()));
  }
  std::stable_sort(children.begin(), children.end(), [](const TInspectorRow& a, const TInspectorRow& b) {
    return strcasecmp(a.Name.c_str(), b.Name.c_str()) < 0;
  });
  for (TInspectorRow& child : children) {
    TShownRow shown;
    shown.Path = child.Name;
    shown.Row = std::move(child);
    shown.Row.Name = shown.Path.substr(shown.Path.rfind('.') + 1);
    shown.Depth = depth;
    shown.Expandable = shown.Row.HasSubProperties;
    rows.push_back(shown);
    if (shown.Expandable && FExpanded.count(shown.Path)) AddSubRows(rows, shown.Path, depth + 1);
  }
}

void TInspectorView::SetExpanded(const std::string& path, bool expanded) {
  if (expanded) FExpanded.insert(path);
  else FExpanded.erase(path);
  Refresh();
}

int TInspectorView::RowOf(const std::string& name, QTableWidget** grid) const {
  for (QTableWidget* g : {FProperties, FEvents})
    for (int r = 0; r < g->rowCount(); ++r)
      if (g->item(r, 0) && g->item(r, 0)->data(NameRole).toString().toStdString() == name) {
        if (grid) *grid = g;
        return r;
      }
  return -1;
}

void TInspectorView::Fill(QTableWidget* grid, const std::vector<TShownRow>& rows) {
  FFilling = true;
  int scroll = grid->verticalScrollBar() ? grid->verticalScrollBar()->value() : 0;
  grid->clearContents();
  grid->setRowCount(static_cast<int>(rows.size()));
  const QColor greyed = palette().color(QPalette::Disabled, QPalette::Text);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const TShownRow& shown = rows[static_cast<size_t>(r)];
    TInspectorRow row = shown.Row;
    row.Name = shown.Path;  // the editors below find the property by its path
    bool readOnly = row.Attributes.Contains(TPropertyAttribute::paReadOnly);
    // An expandable row shows a triangle; sub-properties are indented.
    QString label = QString(shown.Depth * 3, QChar(' ')) +
                    (shown.Expandable ? (FExpanded.count(shown.Path) ? QStringLiteral("\u25BE ") : QStringLiteral("\u25B8 "))
                                      : QString()) +
                    Q(shown.Row.Name);
    auto* name = new QTableWidgetItem(label);
    name->setData(NameRole, Q(shown.Path));
    name->setData(ExpandableRole, shown.Expandable);
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    name->setToolTip(Q(row.Name + ": " + row.TypeName + " (" + row.EditorClass + ")"));
    auto* value = new QTableWidgetItem(Q(row.Error.empty() ? row.Value : row.Error));
    value->setData(NameRole, Q(row.Name));
    if (readOnly) {
      // A row that opens stays dark: its arrow is there to be clicked.
      if (!shown.Expandable) name->setForeground(greyed);
      value->setForeground(greyed);
    }
    if (!row.Error.empty()) value->setForeground(QColor(170, 30, 30));
    bool typed = !readOnly && !row.Attributes.Contains(TPropertyAttribute::paValueList) &&
                 !row.Attributes.Contains(TPropertyAttribute::paDialog);
    value->setFlags(typed ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                          : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    grid->setItem(r, 0, name);
    grid->setItem(r, 1, value);
    if (!readOnly && row.Attributes.Contains(TPropertyAttribute::paValueList))
      grid->setCellWidget(r, 1, ValueListEditor(row));
    else if (row.Attributes.Contains(TPropertyAttribute::paDialog))
      grid->setCellWidget(r, 1, DialogEditor(row));
  }
  grid->verticalScrollBar()->setValue(scroll);
  FFilling = false;
}

QWidget* TInspectorView::ValueListEditor(const TInspectorRow& row) {
  auto* box = new TValueListBox;
  box->setObjectName(Q(row.Name));
  box->setFrame(false);
  box->setEditable(row.Attributes.Contains(TPropertyAttribute::paValueEditable) || row.EditorClass == "TMethodProperty");
  box->addItem(Q(row.Value));
  box->setCurrentIndex(0);
  std::string property = row.Name;
  box->Values = [this, property] { return Values(property); };
  box->OnError = [this](const QString& message) {
    if (OnError) OnError(message);
  };
  connect(box, &QComboBox::activated, this, [this, box, property](int) {
    std::string chosen = box->currentText().toStdString();
    // The grid is rebuilt by Set: leave the box's own signal first.
    QTimer::singleShot(0, this, [this, property, chosen] { Set(property, chosen); });
  });
  if (box->isEditable())
    connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, box, property] {
      std::string typed = box->currentText().toStdString();
      QTimer::singleShot(0, this, [this, property, typed] { Set(property, typed); });
    });
  return box;
}

QWidget* TInspectorView::DialogEditor(const TInspectorRow& row) {
  auto* cell = new QWidget;
  auto* layout = new QHBoxLayout(cell);
  layout->setContentsMargins(4, 0, 0, 0);
  layout->setSpacing(2);
  auto* text = new QLabel(Q(row.Value), cell);
  if (row.Attributes.Contains(TPropertyAttribute::paReadOnly))
    text->setForegroundRole(QPalette::PlaceholderText);
  auto* button = new QToolButton(cell);
  button->setObjectName(Q(row.Name));
  button->setText(QStringLiteral("\u2026"));
  button->setToolTip(tr("Edit %1").arg(Q(row.Name)));
  button->setFixedSize(22, 20);
  layout->addWidget(text, 1);
  layout->addWidget(button);
  std::string property = row.Name;
  connect(button, &QToolButton::clicked, this, [this, property] {
    QTimer::singleShot(0, this, [this, property] { Edit(property); });
  });
  return cell;
}

std::string TInspectorView::PathAt(const QTableWidget* grid, int row) {
  const QTableWidgetItem* item = grid->item(row, 0);
  return item ? item->data(NameRole).toString().toStdString() : std::string();
}

std::vector<std::string> TInspectorView::Values(const std::string& path) { return FEditors.Values(path); }

void TInspectorView::Set(const std::string& property, const std::string& value) {
  try {
    FSession.SetPropertyValue(property, value);
  } catch (const std::exception& e) {
    if (OnError) OnError(QString::fromUtf8(e.what()));
  }
  Refresh();
  if (OnChanged) OnChanged();
}

void TInspectorView::Edit(const std::string& property) {
  try {
    FEditors.Edit(property);
  } catch (const std::exception& e) {
    if (OnError) OnError(QString::fromUtf8(e.what()));
  }
  Refresh();
  if (OnChanged) OnChanged();
}
