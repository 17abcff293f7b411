#include "TFormView.h"

#include "PaletteBitmap.h"

#include "designhost/session/TDesignSession.h"
#include "classes/TClassRegistry.h"
#include "forms/TPageControl.h"
#include "forms/TWinControl.h"
#include "rtl/Exceptions.h"
#include "streaming/TFormFile.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>
#include <unordered_map>

namespace {

constexpr int Margin = 16;
constexpr int TitleHeight = 26;
constexpr int TileSize = 28;  // a non-visual component's tile around its bitmap
constexpr int GridStep = 8;

QString Q(const std::string& s) { return QString::fromStdString(s); }

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The objects of the form file by component name, as the file was read.
void IndexObjects(const TFormObject& object, std::unordered_map<std::string, const TFormObject*>& index) {
  index.emplace(object.Name, &object);
  for (const auto& child : object.Children) IndexObjects(*child, index);
}

const TFormProperty* FindProp(const TFormObject* object, const char* name) {
  if (!object) return nullptr;
  for (const auto& p : object->Properties)
    if (p->Name == name) return p.get();
  return nullptr;
}

std::optional<int> IntProp(const TFormObject* object, const char* name) {
  const TFormProperty* p = FindProp(object, name);
  if (!p || p->Value.Kind != TFormValueKind::Integer) return std::nullopt;
  return static_cast<int>(p->Value.Int);
}

std::string TextProp(const TFormObject* object, const char* name) {
  const TFormProperty* p = FindProp(object, name);
  if (!p) return {};
  return p->Value.Kind == TFormValueKind::String || p->Value.Kind == TFormValueKind::Ident ? p->Value.Text : std::string();
}

// A design position: left in the low word, top in the high word.
QPoint DesignPosition(const TComponent& c) {
  auto info = static_cast<uint32_t>(c.DesignInfo());
  return {static_cast<int16_t>(info & 0xFFFF), static_cast<int16_t>(info >> 16)};
}

int32_t MakeDesignInfo(QPoint p) {
  return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint16_t>(p.y())) << 16) |
                              static_cast<uint16_t>(p.x()));
}

const QColor FaceColour(240, 240, 240);
const QColor ShadowColour(160, 160, 160);
const QColor DarkShadowColour(105, 105, 105);
const QColor SelectionColour(0, 90, 200);

void RaisedFrame(QPainter& p, const QRect& r) {
  p.setPen(Qt::white);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(ShadowColour);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

void SunkenBox(QPainter& p, const QRect& r) {
  p.fillRect(r, Qt::white);
  p.setPen(QColor(122, 122, 122));
  p.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace

TFormView::TFormView(TDesignSession& session, const TResourceTable* resources, QWidget* parent)
    : QWidget(parent), FSession(session), FResources(resources) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(171, 178, 191));
  setPalette(pal);
}

void TFormView::SetModule(TDesignModule* module) {
  FModule = module;
  FDragging = nullptr;
  Refresh();
}

QSize TFormView::sizeHint() const {
  return {FFormSize.width() + 2 * Margin, FFormSize.height() + TitleHeight + 2 * Margin};
}

QPoint TFormView::FormOrigin() const { return {Margin, Margin + TitleHeight}; }

QImage TFormView::Bitmap(const std::string& className) const {
  auto it = FBitmaps.find(className);
  if (it == FBitmaps.end()) it = FBitmaps.emplace(className, PaletteBitmap(FResources, className)).first;
  return it->second;
}

void TFormView::Refresh() {
  Layout();
  setMinimumSize(sizeHint());
  resize(sizeHint());
  update();
}

void TFormView::Layout() {
  FShapes.clear();
  if (!FModule || !FModule->Root()) return;
  TComponent* root = FModule->Root();
  std::unordered_map<std::string, const TFormObject*> objects;
  if (const TFormDocument& doc = FModule->Module().File().Document(); doc.Root) IndexObjects(*doc.Root, objects);
  auto objectOf = [&](const TComponent* c) -> const TFormObject* {
    auto it = objects.find(c->Name());
    return it == objects.end() ? nullptr : it->second;
  };

  const TFormObject* rootObject = objectOf(root);
  FFormIsDataModule = !FindProp(rootObject, "Caption") && !FindProp(rootObject, "ClientWidth");
  int width = IntProp(rootObject, "ClientWidth").value_or(IntProp(rootObject, "Width").value_or(400));
  int height = IntProp(rootObject, "ClientHeight").value_or(IntProp(rootObject, "Height").value_or(300));
  if (auto* form = dynamic_cast<TControl*>(root)) {
    width = form->Width();
    height = form->Height();
  }
  FFormSize = QSize(std::max(width, 120), std::max(height, 60));
  // The controls' text in the form's font size (Font.Height is negative
  // for a size in pixels without the leading).
  FFormFont = font();
  int fontHeight = std::abs(IntProp(rootObject, "Font.Height").value_or(-11));
  FFormFont.setPixelSize(std::clamp(fontHeight, 8, 32));
  FFormCaption = FFormIsDataModule ? Q(root->Name()) : Q(TextProp(rootObject, "Caption"));

  std::unordered_map<const TComponent*, size_t> shapeOf;
  std::unordered_map<const TComponent*, bool> pageShown;
  for (const TFormFile::TTreeEntry& entry : FSession.ComponentTree(*FModule)) {
    TComponent* c = entry.Component;
    if (!c || c == root) continue;
    const TShape* parent = nullptr;
    if (entry.Parent && entry.Parent != root) {
      auto it = shapeOf.find(entry.Parent);
      // Inside a component not drawn, or inside a non-visual one (a
      // dataset's fields, a menu's items): not on the form.
      if (it == shapeOf.end() || !FShapes[it->second].Visual) continue;
      parent = &FShapes[it->second];
    }
    const TFormObject* object = objectOf(c);
    TShape shape;
    shape.Component = c;
    shape.ClassName = c->ClassName();
    shape.Name = c->Name();
    QPoint origin = parent ? parent->Rect.topLeft() : QPoint(0, 0);
    if (auto* control = dynamic_cast<TControl*>(c)) {
      // Of a page control's pages only the active one shows, with what it holds.
      if (auto* page = dynamic_cast<TTabSheet*>(c); page && page->PageControl() && page->PageControl()->ActivePage() != page)
        continue;
      shape.Visual = shape.Known = true;
      auto* windowed = dynamic_cast<TWinControl*>(c);
      shape.Container = windowed && windowed->AcceptsControls();
      shape.Caption = control->Caption();
      shape.Rect = QRect(origin + QPoint(control->Left(), control->Top()), QSize(control->Width(), control->Height()));
    } else {
      std::optional<int> w = IntProp(object, "Width"), h = IntProp(object, "Height");
      bool sized = w && h && !Contains(shape.ClassName, "ImageList");
      if (sized) {
        shape.Visual = true;
        shape.Rect = QRect(origin + DesignPosition(*c), QSize(*w, *h));
      } else if (parent) {
        // A page of a page control fills it below the tabs; only the active
        // page (the first when none is named) is shown.
        if (Contains(parent->ClassName, "PageControl") || Contains(parent->ClassName, "TabControl")) {
          std::string active = TextProp(objectOf(parent->Component), "ActivePage");
          bool& shown = pageShown[parent->Component];
          if (active.empty() ? shown : active != shape.Name) continue;
          shown = true;
          shape.Rect = parent->Rect.adjusted(3, 24, -3, -3);
        } else {
          shape.Rect = parent->Rect.adjusted(2, 2, -2, -2);
        }
        shape.Visual = true;
      } else {
        shape.Rect = QRect(DesignPosition(*c), QSize(TileSize, TileSize));
      }
      shape.Caption = TextProp(object, "Caption");
      if (shape.Caption.empty()) shape.Caption = TextProp(object, "Text");
    }
    shapeOf[c] = FShapes.size();
    FShapes.push_back(std::move(shape));
  }
}

const TFormView::TShape* TFormView::ShapeOf(const TComponent* component) const {
  for (const TShape& s : FShapes)
    if (s.Component == component) return &s;
  return nullptr;
}

QRect TFormView::ComponentRect(const TComponent* component) const {
  if (FModule && component == FModule->Root()) return QRect(FormOrigin(), FFormSize);
  const TShape* s = ShapeOf(component);
  if (!s) return {};
  QRect r = s->Rect.translated(FormOrigin());
  if (s->Component == FDragging) r.translate(FDragOffset);
  return r;
}

TComponent* TFormView::ComponentAt(QPoint point) const {
  // Non-visual components lie on top, then the controls, innermost last.
  for (auto it = FShapes.rbegin(); it != FShapes.rend(); ++it)
    if (!it->Visual && ComponentRect(it->Component).adjusted(-12, 0, 12, 16).contains(point)) return it->Component;
  for (auto it = FShapes.rbegin(); it != FShapes.rend(); ++it)
    if (it->Visual && ComponentRect(it->Component).contains(point)) return it->Component;
  return FModule ? FModule->Root() : nullptr;
}

void TFormView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!FModule) {
    p.setPen(QColor(60, 64, 72));
    p.drawText(rect(), Qt::AlignCenter, tr("Open a form file with File > Open"));
    return;
  }
  QRect client(FormOrigin(), FFormSize);
  QRect frame = client.adjusted(-4, -TitleHeight, 4, 4);
  // The window around the form: a shadow, a border, the title bar.
  p.fillRect(frame.translated(3, 3), QColor(0, 0, 0, 40));
  p.fillRect(frame, QColor(250, 250, 250));
  p.setPen(QColor(110, 118, 130));
  p.drawRect(frame.adjusted(0, 0, -1, -1));
  QRect title(frame.left() + 1, frame.top() + 1, frame.width() - 2, TitleHeight - 2);
  QLinearGradient g(title.topLeft(), title.bottomLeft());
  g.setColorAt(0, FFormIsDataModule ? QColor(95, 120, 105) : QColor(64, 110, 180));
  g.setColorAt(1, FFormIsDataModule ? QColor(70, 95, 80) : QColor(42, 84, 150));
  p.fillRect(title, g);
  p.setPen(Qt::white);
  QFont bold = font();
  bold.setBold(true);
  p.setFont(bold);
  p.drawText(title.adjusted(8, 0, -60, 0), Qt::AlignVCenter | Qt::AlignLeft, FFormCaption);
  p.setFont(font());
  // Close, maximise and minimise, right to left.
  p.setPen(QPen(QColor(230, 236, 245), 1.5));
  for (int i = 0; i < 3; ++i) {
    QRect box(title.right() - 22 - i * 22, title.top() + 6, 12, 12);
    if (i == 0) {
      p.drawLine(box.topLeft(), box.bottomRight());
      p.drawLine(box.topRight(), box.bottomLeft());
    } else if (i == 1) {
      p.drawRect(box.adjusted(1, 1, -1, -1));
    } else {
      p.drawLine(box.left() + 1, box.bottom() - 1, box.right() - 1, box.bottom() - 1);
    }
  }
  // The client area with the designer's grid.
  p.fillRect(client, FFormIsDataModule ? QColor(255, 255, 255) : FaceColour);
  p.setPen(FFormIsDataModule ? QColor(215, 220, 228) : QColor(180, 180, 180));
  for (int x = client.left() + GridStep; x < client.right(); x += GridStep)
    for (int y = client.top() + GridStep; y < client.bottom(); y += GridStep) p.drawPoint(x, y);

  p.save();
  p.setClipRect(client);
  p.setFont(FFormFont);
  for (const TShape& s : FShapes)
    if (s.Visual) PaintControl(p, s);
  // Selected tiles last: their whole names lie over their neighbours'.
  std::vector<TComponent*> selection = FSession.Selection();
  auto isSelected = [&](const TShape& s) { return std::find(selection.begin(), selection.end(), s.Component) != selection.end(); };
  for (const TShape& s : FShapes)
    if (!s.Visual && !isSelected(s)) PaintNonVisual(p, s);
  for (const TShape& s : FShapes)
    if (!s.Visual && isSelected(s)) PaintNonVisual(p, s);
  p.restore();
  for (TComponent* c : FSession.Selection())
    if (c != FModule->Root())
      if (const TShape* s = ShapeOf(c))
        PaintSelection(p, s->Visual ? ComponentRect(c) : ComponentRect(c).adjusted(-3, -3, 3, 3), s->Visual);
}

void TFormView::PaintControl(QPainter& p, const TShape& s) const {
  QRect r = ComponentRect(s.Component);
  if (r.isEmpty()) return;
  p.save();
  const std::string& cls = s.ClassName;
  // Labels size themselves to their text; everything else stays in its box.
  p.setClipRect(cls == "TLabel" ? QRect(FormOrigin(), FFormSize) : r.intersected(QRect(FormOrigin(), FFormSize)));
  QString caption = Q(s.Caption);
  QRect inner = r.adjusted(0, 0, -1, -1);
  if (!s.Known) {
    // A class this host does not know: a labelled placeholder.
    p.fillRect(r, QColor(226, 233, 244, 220));
    QPen pen(QColor(112, 132, 165));
    pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    p.drawRect(inner);
    QFont small = font();
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(QColor(40, 55, 85));
    QString label = Q(s.Name) + QStringLiteral(": ") + Q(cls);
    QRect text = r.adjusted(4, 2, -4, -2);
    if (caption.isEmpty()) {
      p.drawText(text, Qt::AlignLeft | (r.height() < 34 ? Qt::AlignVCenter : Qt::AlignTop), label);
    } else {
      // The caption as the control would show it, the name and class above.
      if (r.height() >= 34) p.drawText(text, Qt::AlignLeft | Qt::AlignTop, label);
      p.setFont(FFormFont);
      p.setPen(QColor(20, 20, 20));
      p.drawText(r.height() >= 34 ? r.adjusted(2, 12, -2, 0) : r, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, caption);
    }
    p.restore();
    return;
  }
  p.setFont(FFormFont);
  if (cls == "TLabel") {
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, caption.isEmpty() ? Q(s.Name) : caption);
  } else if (cls == "TButton") {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(253, 253, 253));
    g.setColorAt(1, QColor(226, 226, 226));
    p.setBrush(g);
    p.setPen(QColor(140, 140, 140));
    p.drawRoundedRect(QRectF(inner), 2, 2);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic, caption);
  } else if (Contains(cls, "Edit") || cls == "TMemo" || cls == "TListBox" || cls == "TComboBox") {
    SunkenBox(p, r);
    p.setPen(Qt::black);
    bool multi = cls == "TMemo" || cls == "TListBox";
    p.drawText(r.adjusted(4, 2, cls == "TComboBox" ? -18 : -4, -2),
               Qt::AlignLeft | (multi ? Qt::AlignTop : Qt::AlignVCenter), caption.isEmpty() ? Q(s.Name) : caption);
    if (cls == "TComboBox") {
      QRect arrow(r.right() - 16, r.top() + 1, 16, r.height() - 2);
      p.fillRect(arrow, FaceColour);
      QPolygon tri;
      tri << QPoint(arrow.center().x() - 4, arrow.center().y() - 2) << QPoint(arrow.center().x() + 4, arrow.center().y() - 2)
          << QPoint(arrow.center().x(), arrow.center().y() + 2);
      p.setBrush(Qt::black);
      p.drawPolygon(tri);
    }
  } else if (cls == "TCheckBox") {
    QRect box(r.left() + 1, r.center().y() - 6, 13, 13);
    SunkenBox(p, box);
    p.setPen(Qt::black);
    p.drawText(r.adjusted(19, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, caption);
  } else if (cls == "TGroupBox" || cls == "TRadioGroup") {
    QRect box = inner.adjusted(0, 7, 0, 0);
    p.setPen(ShadowColour);
    p.drawRect(box);
    p.setPen(Qt::white);
    p.drawRect(box.translated(1, 1));
    QRect text = p.fontMetrics().boundingRect(caption).adjusted(-3, 0, 3, 0);
    text.moveTopLeft(r.topLeft() + QPoint(8, 0));
    p.fillRect(text, FaceColour);
    p.setPen(Qt::black);
    p.drawText(text, Qt::AlignCenter | Qt::TextShowMnemonic, caption);
  } else if (Contains(cls, "PageControl")) {
    p.fillRect(r.adjusted(0, 22, 0, 0), FaceColour);
    p.setPen(ShadowColour);
    p.drawRect(inner.adjusted(0, 22, 0, 0));
    QRect tab(r.left() + 2, r.top() + 2, 80, 21);
    p.fillRect(tab, FaceColour);
    p.drawRect(tab);
  } else if (cls == "TBevel") {
    p.setPen(ShadowColour);
    p.drawRect(inner);
  } else if (cls == "TImage") {
    QPen pen(ShadowColour);
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.drawRect(inner);
  } else if (cls == "TSplitter") {
    p.fillRect(r, QColor(225, 225, 225));
  } else {
    // Panels and the other framework controls: a raised box with the caption.
    p.fillRect(r, FaceColour);
    RaisedFrame(p, inner);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic, caption);
  }
  p.restore();
}

void TFormView::PaintNonVisual(QPainter& p, const TShape& s) const {
  QRect r = ComponentRect(s.Component);
  p.setPen(QColor(128, 128, 128));
  p.setBrush(QColor(250, 250, 250));
  p.drawRect(r.adjusted(0, 0, -1, -1));
  QImage bitmap = Bitmap(s.ClassName);
  p.drawImage(QPoint(r.left() + (r.width() - bitmap.width()) / 2, r.top() + (r.height() - bitmap.height()) / 2), bitmap);
  // The font may be set in pixels (the dialogs' widgetset does so), when
  // it has no point size to scale.
  QFont small = font();
  if (small.pointSizeF() > 0) small.setPointSizeF(small.pointSizeF() * 0.85);
  else small.setPixelSize(std::max(8, small.pixelSize() * 85 / 100));
  p.setFont(small);
  // Tiles stand close on many forms: a name gets the room up to halfway to
  // the next tile on its row, shortened with an ellipsis beyond that, unless
  // it is selected.
  bool selected = false;
  for (TComponent* c : FSession.Selection()) selected = selected || c == s.Component;
  int room = std::numeric_limits<int>::max();
  if (!selected)
    for (const TShape& other : FShapes)
      if (!other.Visual && &other != &s && std::abs(other.Rect.top() - s.Rect.top()) < TileSize)
        room = std::min(room, std::abs(other.Rect.center().x() - s.Rect.center().x()) - 4);
  QString name = Q(s.Name);
  if (p.fontMetrics().horizontalAdvance(name) > room) name = p.fontMetrics().elidedText(name, Qt::ElideRight, std::max(room, TileSize));
  int w = p.fontMetrics().horizontalAdvance(name) + 6;
  QRect label(r.center().x() - w / 2, r.bottom() + 5, w, p.fontMetrics().height() + 3);  // room for underscores
  p.fillRect(label, QColor(255, 255, 255, 200));
  p.setPen(Qt::black);
  p.drawText(label, Qt::AlignCenter, name);
  p.setFont(font());
}

void TFormView::PaintSelection(QPainter& p, const QRect& r, bool sizable) const {
  p.setPen(QPen(SelectionColour, 1, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(-1, -1, 0, 0));
  p.setPen(Qt::white);
  p.setBrush(SelectionColour);
  // A control gets the eight grab handles; a non-visual tile only its
  // corners, which leave its name below readable.
  std::vector<QPoint> handles{r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
  if (sizable)
    handles.insert(handles.end(), {QPoint(r.center().x(), r.top()), QPoint(r.right(), r.center().y()),
                                   QPoint(r.center().x(), r.bottom()), QPoint(r.left(), r.center().y())});
  for (QPoint at : handles) p.drawRect(QRect(at - QPoint(2, 2), QSize(5, 5)));
}

void TFormView::mousePressEvent(QMouseEvent* event) {
  setFocus();
  if (!FModule || event->button() != Qt::LeftButton) return;
  QPoint at = event->position().toPoint();
  std::string dropClass = TakeDropClass ? TakeDropClass() : std::string();
  if (!dropClass.empty()) {
    QPoint formAt = at - FormOrigin();
    TDropOptions options;
    // A control goes into the innermost container under the click, placed
    // relative to it; anything else lies on the form.
    const TClassInfo* cls = FSession.Classes().FindClass(dropClass);
    if (cls && cls->InheritsFrom(TControl::StaticClass()))
      for (auto it = FShapes.rbegin(); it != FShapes.rend(); ++it)
        if (it->Container && ComponentRect(it->Component).contains(at)) {
          options.Parent = it->Component->Name();
          formAt -= it->Rect.topLeft();
          break;
        }
    options.Left = std::max(0, formAt.x());
    options.Top = std::max(0, formAt.y());
    try {
      TComponent& made = FSession.AddComponent(*FModule, dropClass, options);
      Refresh();
      if (OnDropped) OnDropped(&made);
    } catch (const std::exception& e) {
      if (OnError) OnError(QString::fromUtf8(e.what()));
    }
    return;
  }
  TComponent* c = ComponentAt(at);
  std::vector<TComponent*> selection{c};
  if (event->modifiers() & Qt::ShiftModifier && c != FModule->Root()) {
    selection = FSession.Selection();
    std::erase(selection, FModule->Root());
    if (std::erase(selection, c) == 0) selection.push_back(c);
    if (selection.empty()) selection.push_back(FModule->Root());
  }
  if (OnSelect) OnSelect(selection);
  update();
  if (selection.size() != 1) return;
  if (c && c != FModule->Root() && !c->IsAncestor() && !c->IsInline()) {
    FDragging = c;
    FPressAt = at;
    FDragStart = ComponentRect(c);
    FDragOffset = {};
    FDragMoved = false;
  }
}

void TFormView::mouseMoveEvent(QMouseEvent* event) {
  if (!FDragging) return;
  QPoint delta = event->position().toPoint() - FPressAt;
  if (!FDragMoved && delta.manhattanLength() < 4) return;
  FDragMoved = true;
  FDragOffset = delta;
  update();
}

void TFormView::mouseReleaseEvent(QMouseEvent* event) {
  if (!FDragging) return;
  TComponent* c = FDragging;
  QPoint delta = event->position().toPoint() - FPressAt;
  bool moved = FDragMoved;
  FDragging = nullptr;
  FDragOffset = {};
  if (moved && delta != QPoint()) MoveTo(c, FDragStart.topLeft() + delta - FormOrigin());
  update();
}

void TFormView::MoveTo(TComponent* component, QPoint formTopLeft) {
  const TShape* s = ShapeOf(component);
  if (!s) return;
  // Places are kept relative to the parent control.
  auto* control = dynamic_cast<TControl*>(component);
  QPoint own = control ? QPoint(control->Left(), control->Top()) : DesignPosition(*component);
  QPoint origin = s->Rect.topLeft() - own;  // the parent's place on the form
  QPoint place = formTopLeft - origin;
  if (!s->Visual) place = QPoint(std::max(0, place.x()), std::max(0, place.y()));
  try {
    if (control) {
      std::vector<TComponent*> selection = FSession.Selection();
      FSession.Select({component});
      FSession.SetPropertyValue("Left", std::to_string(place.x()));
      FSession.SetPropertyValue("Top", std::to_string(place.y()));
      FSession.Select(selection);
    } else {
      component->SetDesignInfo(MakeDesignInfo(place));
    }
  } catch (const std::exception& e) {
    if (OnError) OnError(QString::fromUtf8(e.what()));
  }
  Refresh();
  if (OnChanged) OnChanged();
}

void TFormView::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Delete || !FModule) {
    QWidget::keyPressEvent(event);
    return;
  }
  std::vector<TComponent*> selection;
  for (TComponent* c : FSession.Selection())
    if (c != FModule->Root()) selection.push_back(c);
  if (selection.empty()) return;
  try {
    FSession.DeleteComponents(*FModule, selection);
    FSession.Select({FModule->Root()});
  } catch (const std::exception& e) {
    if (OnError) OnError(QString::fromUtf8(e.what()));
  }
  Refresh();
  if (OnChanged) OnChanged();
}

void TFormView::contextMenuEvent(QContextMenuEvent* event) {
  if (!FModule) return;
  TComponent* c = ComponentAt(event->pos());
  if (OnSelect) OnSelect({c});
  update();
  if (OnContextMenu) OnContextMenu(c, event->globalPos());
}
