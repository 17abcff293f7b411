#pragma once
// The form as the designer shows it: the open module's root at its design
// size, its visual controls where the form file puts them (the framework's
// controls as look-alikes, classes this host does not know as labelled
// placeholders) and its non-visual components as their palette bitmaps with
// their names. A click selects, a drag moves (Left/Top of a control, the
// design position of a non-visual component), Delete deletes; a click while
// a palette class is chosen drops a component of that class there.
#include <QImage>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

class TComponent;
class TDesignModule;
class TDesignSession;
struct TResourceTable;

class TFormView : public QWidget {
public:
  TFormView(TDesignSession& session, const TResourceTable* resources, QWidget* parent = nullptr);

  void SetModule(TDesignModule* module);
  TDesignModule* Module() const { return FModule; }
  // Reads the components' places again and repaints.
  void Refresh();

  // Where the component is drawn, in the view's coordinates; empty when it
  // is not drawn.
  QRect ComponentRect(const TComponent* component) const;
  // The topmost drawn component at point; the root when none.
  TComponent* ComponentAt(QPoint point) const;

  // The class a click drops, taken when the click happens (empty: none).
  std::function<std::string()> TakeDropClass;
  // A click chose components (shift-click adds or takes away one).
  std::function<void(const std::vector<TComponent*>&)> OnSelect;
  std::function<void(TComponent*)> OnDropped;    // a palette drop made it
  std::function<void()> OnChanged;               // a move or delete changed the module
  std::function<void(TComponent*, QPoint)> OnContextMenu;  // at a global point
  std::function<void(const QString&)> OnError;

  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  struct TShape {
    TComponent* Component = nullptr;
    QRect Rect;        // in form coordinates (the form's client area)
    bool Visual = false;
    std::string ClassName, Name, Caption;
    bool Known = false;  // a framework control drawn as a look-alike
    bool Container = false;  // a control that holds dropped controls
  };
  void Layout();
  void PaintControl(class QPainter& p, const TShape& s) const;
  void PaintNonVisual(class QPainter& p, const TShape& s) const;
  void PaintSelection(class QPainter& p, const QRect& r, bool sizable) const;
  QPoint FormOrigin() const;
  const TShape* ShapeOf(const TComponent* component) const;
  void MoveTo(TComponent* component, QPoint formTopLeft);
  QImage Bitmap(const std::string& className) const;

  TDesignSession& FSession;
  const TResourceTable* FResources;
  TDesignModule* FModule = nullptr;
  QSize FFormSize{400, 300};
  QString FFormCaption;
  QFont FFormFont;  // the form's Font: its controls' text
  bool FFormIsDataModule = false;
  std::vector<TShape> FShapes;
  mutable std::map<std::string, QImage> FBitmaps;
  // A drag in progress: the component, where the press was, its rectangle then.
  TComponent* FDragging = nullptr;
  QPoint FPressAt;
  QRect FDragStart;
  QPoint FDragOffset;
  bool FDragMoved = false;
};
