#pragma once
// A native peer: the Qt widget of one model control. It holds a pointer to
// its control and never owns the control's state: on a change notification
// it re-reads what changed, with the widget's signals blocked so that its
// own update is not taken for user input; user input goes back to the model
// through the widgetset's user-action path. Geometry comes from the model,
// the one layout engine: widgets get absolute positions, never Qt layouts.
#include "forms/TWidgetSet.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>

#include "widgetset-qt/TCanvasOverlay.h"
class TControl;
class TQtWidgetSet;

class TQtPeer {
public:
  TQtPeer(TQtWidgetSet& widgetSet, TControl& control);
  virtual ~TQtPeer();
  TQtPeer(const TQtPeer&) = delete;
  TQtPeer& operator=(const TQtPeer&) = delete;

  TControl& Control() const { return FControl; }
  QWidget* Widget() const { return FWidget; }
  // Where the widgets of child controls go.
  virtual QWidget* ChildParent() const { return FWidget; }
  // Re-reads one part of the control, or all of it.
  void Read(TControlChange change);
  void ReadAll();
  // True while the peer writes the model's state into its widget.
  bool Reading() const { return FReading > 0; }

  virtual TTextExtent TextExtent(std::string_view text) const;
  // The drawing layer over the control, made when first drawn on.
  TCanvasOverlay& Overlay();
  void ClearOverlay();
  TCanvasOverlay* ExistingOverlay() const { return FOverlay; }

protected:
  void SetWidget(QWidget* widget);
  TQtWidgetSet& WidgetSet() const { return FWidgetSet; }
  // The class's own part of a re-read.
  virtual void ReadOwn(TControlChange change) {}
  virtual void ReadBounds();
  virtual void ReadVisible();
  // Where the drawing layer lies and where the model's (0, 0) is in it.
  virtual QWidget* OverlayParent() const { return FWidget; }
  virtual QPoint OverlayOrigin() const { return {}; }
  // Runs a user action on the control through the widgetset.
  void Act(const std::function<void()>& action);

  friend class TReadGuard;
  int FReading = 0;

private:
  TQtWidgetSet& FWidgetSet;
  TControl& FControl;
  QPointer<QWidget> FWidget;
  QPointer<TCanvasOverlay> FOverlay;
};

// Makes the peer for a control's class, its widget a child of parent.
std::unique_ptr<TQtPeer> MakeQtPeer(TQtWidgetSet& widgetSet, TControl& control, QWidget* parent);

// A caption as a Qt widget shows it: the accelerator mark removed (the form
// owns accelerators), a literal "&" kept.
QString QtCaption(const std::string& caption);
QString QtString(const std::string& utf8);
std::string ModelString(const QString& text);
