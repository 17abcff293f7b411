// The peer base: the one path by which a native widget re-reads its model
// control, with echo suppressed while it does.
#include "widgetset-qt/TQtPeer.h"

#include "forms/TControl.h"
#include "forms/TForm.h"
#include "forms/TPageControl.h"
#include "widgetset-qt/TCanvasOverlay.h"
#include "widgetset-qt/TQtWidgetSet.h"

#include <QFontMetrics>
#include <QWidget>

QString QtString(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
std::string ModelString(const QString& text) { return text.toUtf8().toStdString(); }
QString QtCaption(const std::string& caption) { return QtString(StripHotkey(caption)).replace("&", "&&"); }

class TReadGuard {
public:
  explicit TReadGuard(TQtPeer& peer) : FPeer(peer) { ++FPeer.FReading; }
  ~TReadGuard() { --FPeer.FReading; }

private:
  TQtPeer& FPeer;
};

TQtPeer::TQtPeer(TQtWidgetSet& widgetSet, TControl& control) : FWidgetSet(widgetSet), FControl(control) {}

TQtPeer::~TQtPeer() {
  // The control may be half destroyed: nothing the widget says on its way
  // out may reach it.
  ++FReading;
  if (!FWidget) return;
  FWidget->blockSignals(true);
  for (QObject* child : FWidget->findChildren<QObject*>()) child->blockSignals(true);
  delete FWidget.data();
}

void TQtPeer::SetWidget(QWidget* widget) {
  FWidget = widget;
  widget->setProperty("quelmPeer", QVariant::fromValue(static_cast<void*>(this)));
  widget->setObjectName(QtString(FControl.Name()));
  widget->setAutoFillBackground(false);
}

void TQtPeer::Act(const std::function<void()>& action) { FWidgetSet.UserAction(FControl, action); }

void TQtPeer::ReadAll() {
  // A peer may be made while its form is still being read, before names.
  if (FWidget) FWidget->setObjectName(QtString(FControl.Name()));
  for (TControlChange change : {TControlChange::Bounds, TControlChange::Text, TControlChange::Enabled, TControlChange::Items,
                                TControlChange::Style, TControlChange::Selection, TControlChange::ItemIndex,
                                TControlChange::Checked, TControlChange::ActivePage, TControlChange::Visible})
    Read(change);
}

void TQtPeer::Read(TControlChange change) {
  if (!FWidget) return;
  TReadGuard guard(*this);
  QSignalBlocker blocker(FWidget.data());
  switch (change) {
  case TControlChange::Bounds: ReadBounds(); break;
  case TControlChange::Visible: ReadVisible(); break;
  case TControlChange::Enabled: FWidget->setEnabled(FControl.Enabled()); break;
  case TControlChange::Text: ClearOverlay(); break;
  default: break;
  }
  ReadOwn(change);
}

void TQtPeer::ReadBounds() {
  FWidget->setGeometry(FControl.Left(), FControl.Top(), FControl.Width(), FControl.Height());
  if (FOverlay) FOverlay->setGeometry(OverlayParent()->rect());
}

void TQtPeer::ReadVisible() {
  bool visible = FControl.Visible();
  if (auto* sheet = dynamic_cast<TTabSheet*>(&FControl))
    visible = visible && sheet->PageControl() && sheet->PageControl()->ActivePage() == sheet;
  FWidget->setVisible(visible);
}

TTextExtent TQtPeer::TextExtent(std::string_view text) const {
  QFontMetrics metrics(FWidget ? FWidget->font() : QFont());
  QStringList lines = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split('\n');
  int width = 0;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  // Lines as the control sets them, one line spacing apart.
  return {width, static_cast<int>(lines.size()) * metrics.lineSpacing()};
}

TCanvasOverlay& TQtPeer::Overlay() {
  if (!FOverlay) FOverlay = new TCanvasOverlay(OverlayParent());
  FOverlay->SetOrigin(OverlayOrigin());
  return *FOverlay;
}

void TQtPeer::ClearOverlay() {
  if (FOverlay) FOverlay->Clear();
}
