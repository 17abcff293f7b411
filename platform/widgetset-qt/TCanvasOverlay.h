#pragma once
// What a control canvas draws straight onto a control: a transparent,
// mouse-transparent layer over the control that paints the pictures drawn
// since the control's last repaint. Invalidate, scrolling and text changes
// clear it, as a repaint of the native control would wipe them.
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <vector>

class TCanvasOverlay : public QWidget {
public:
  explicit TCanvasOverlay(QWidget* parent);
  // Where the model's (0, 0) lies in the layer.
  void SetOrigin(QPoint origin) { FOrigin = origin; }
  void Draw(int x, int y, const QImage& image);
  void Clear();
  int DrawingCount() const { return static_cast<int>(FDrawings.size()); }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  struct TDrawing {
    QPoint At;
    QImage Image;
  };
  std::vector<TDrawing> FDrawings;
  QPoint FOrigin;
};
