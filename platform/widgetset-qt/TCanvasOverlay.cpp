#include "widgetset-qt/TCanvasOverlay.h"

#include <QPainter>

TCanvasOverlay::TCanvasOverlay(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  if (parent) setGeometry(parent->rect());
  show();
  raise();
}

void TCanvasOverlay::Draw(int x, int y, const QImage& image) {
  if (parentWidget()) setGeometry(parentWidget()->rect());
  raise();
  FDrawings.push_back({QPoint(x, y) + FOrigin, image});
  update();
}

void TCanvasOverlay::Clear() {
  if (FDrawings.empty()) return;
  FDrawings.clear();
  update();
}

void TCanvasOverlay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (const TDrawing& drawing : FDrawings) painter.drawImage(drawing.At, drawing.Image);
}
