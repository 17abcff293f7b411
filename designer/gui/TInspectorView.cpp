#include "TInspectorView.h"

#include "TEditorLauncher.h"

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
  std::vector<const TInspectorRow*> properties, events;
  for (const TInspectorRow& row : FRows) (IsEventRow(row) ? events : properties).push_back(&row);
  Fill(FProperties, properties);
  Fill(FEvents, events);
}

int TInspectorView::RowOf(const std::string& name, QTableWidget** grid) const {
  for (QTableWidget* g : {FProperties, FEvents})
    for (int r = 0; r < g->rowCount(); ++r)
      if (g->item(r, 0) && g->item(r, 0)->text().toStdString() == name) {
        if (grid) *grid = g;
        return r;
      }
  return -1;
}

void TInspectorView::Fill(QTableWidget* grid, const std::vector<const TInspectorRow*>& rows) {
  FFilling = true;
  int scroll = grid->verticalScrollBar() ? grid->verticalScrollBar()->value() : 0;
  grid->clearContents();
  grid->setRowCount(static_cast<int>(rows.size()));
  const QColor greyed = palette().color(QPalette::Disabled, QPalette::Text);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const TInspectorRow& row = *rows[static_cast<size_t>(r)];
    bool readOnly = row.Attributes.Contains(TPropertyAttribute::paReadOnly);
    auto* name = new QTableWidgetItem(Q(row.Name));
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    name->setToolTip(Q(row.Name + ": " + row.TypeName + " (" + row.EditorClass + ")"));
    auto* value = new QTableWidgetItem(Q(row.Error.empty() ? row.Value : row.Error));
    value->setData(NameRole, Q(row.Name));
    if (readOnly) {
      name->setForeground(greyed);
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
  box->Values = [this, property] { return FEditors.Values(property); };
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
