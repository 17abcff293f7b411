#include "widgetset-qt/TQtPeer.h"

#include "forms/TBevel.h"
#include "forms/TButton.h"
#include "forms/TCheckBox.h"
#include "forms/TComboBox.h"
#include "forms/TCustomEdit.h"
#include "forms/TForm.h"
#include "forms/TGroupBox.h"
#include "forms/TImage.h"
#include "forms/TLabel.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TPageControl.h"
#include "forms/TPanel.h"
#include "forms/TRadioGroup.h"
#include "forms/TSplitter.h"
#include "widgetset-qt/QtImages.h"
#include "widgetset-qt/TCanvasOverlay.h"
#include "widgetset-qt/TQtWidgetSet.h"
#include "widgetset-qt/Utf16Offsets.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTextBlock>

#include <vector>

namespace {

// A form: a plain top-level window whose client area is the model's client
// area. The close box asks the model, which decides whether it closes.
class TFormWidget : public QWidget {
public:
  TFormWidget(TQtWidgetSet& widgetSet, TForm& form) : QWidget(nullptr), FWidgetSet(widgetSet), FForm(form) {}

protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    FWidgetSet.UserAction(FForm, [this] { FForm.Close(); });
  }
  void resizeEvent(QResizeEvent* event) override;

private:
  TQtWidgetSet& FWidgetSet;
  TForm& FForm;
};

class TFormPeer : public TQtPeer {
public:
  TFormPeer(TQtWidgetSet& widgetSet, TForm& form) : TQtPeer(widgetSet, form), FForm(form) {
    auto* widget = new TFormWidget(widgetSet, form);
    widget->setAttribute(Qt::WA_DeleteOnClose, false);
    // Forms here are only ever shown modally.
    widget->setWindowModality(Qt::ApplicationModal);
    SetWidget(widget);
  }
  void UserResized(QSize size) {
    if (Reading() || (size.width() == FForm.ClientWidth() && size.height() == FForm.ClientHeight())) return;
    Act([&] {
      FForm.SetClientWidth(size.width());
      FForm.SetClientHeight(size.height());
    });
  }

protected:
  void ReadBounds() override {
    Widget()->move(FForm.Left(), FForm.Top());
    Widget()->resize(FForm.ClientWidth(), FForm.ClientHeight());
    int frameWidth = FForm.Width() - FForm.ClientWidth(), frameHeight = FForm.Height() - FForm.ClientHeight();
    int minWidth = FForm.Constraints()->MinWidth(), minHeight = FForm.Constraints()->MinHeight();
    Widget()->setMinimumSize(std::max(0, minWidth - frameWidth), std::max(0, minHeight - frameHeight));
    bool fixed = FForm.BorderStyle() == TFormBorderStyle::bsDialog || FForm.BorderStyle() == TFormBorderStyle::bsSingle;
    if (fixed) Widget()->setFixedSize(FForm.ClientWidth(), FForm.ClientHeight());
  }
  void ReadVisible() override { Widget()->setVisible(FForm.Visible()); }
  void ReadOwn(TControlChange change) override {
    if (change == TControlChange::Text) Widget()->setWindowTitle(QtString(FForm.Caption()));
    if (change == TControlChange::Focus || change == TControlChange::Visible) {
      TWinControl* active = FForm.ActiveControl();
      if (!active || !Widget()->isVisible()) return;
      if (TQtPeer* peer = WidgetSet().FindPeer(*active); peer && peer->Widget() && !peer->Widget()->hasFocus())
        peer->Widget()->setFocus(Qt::OtherFocusReason);
    }
  }

private:
  TForm& FForm;
};

void TFormWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (auto* peer = dynamic_cast<TFormPeer*>(FWidgetSet.FindPeer(FForm))) peer->UserResized(event->size());
}

class TButtonPeer : public TQtPeer {
public:
  TButtonPeer(TQtWidgetSet& widgetSet, TButton& button, QWidget* parent) : TQtPeer(widgetSet, button), FButton(button) {
    auto* widget = new QPushButton(parent);
    // Enter and Escape belong to the model's dialog keys.
    widget->setAutoDefault(false);
    widget->setDefault(false);
    SetWidget(widget);
    QObject::connect(widget, &QPushButton::clicked, [this] { Act([this] { FButton.Click(); }); });
  }

protected:
  void ReadOwn(TControlChange change) override {
    if (change == TControlChange::Text) static_cast<QPushButton*>(Widget())->setText(QtCaption(FButton.Caption()));
  }

private:
  TButton& FButton;
};

class TCheckBoxPeer : public TQtPeer {
public:
  TCheckBoxPeer(TQtWidgetSet& widgetSet, TCheckBox& box, QWidget* parent) : TQtPeer(widgetSet, box), FBox(box) {
    auto* widget = new QCheckBox(parent);
    SetWidget(widget);
    QObject::connect(widget, &QCheckBox::clicked, [this] { Act([this] { FBox.Toggle(); }); });
  }

protected:
  void ReadOwn(TControlChange change) override {
    auto* widget = static_cast<QCheckBox*>(Widget());
    if (change == TControlChange::Text) widget->setText(QtCaption(FBox.Caption()));
    if (change == TControlChange::Checked) widget->setChecked(FBox.Checked());
  }

private:
  TCheckBox& FBox;
};

class TLabelPeer : public TQtPeer {
public:
  TLabelPeer(TQtWidgetSet& widgetSet, TLabel& label, QWidget* parent) : TQtPeer(widgetSet, label), FLabel(label) {
    auto* widget = new QLabel(parent);
    widget->setTextFormat(Qt::PlainText);
    SetWidget(widget);
  }

protected:
  void ReadOwn(TControlChange change) override {
    auto* widget = static_cast<QLabel*>(Widget());
    if (change == TControlChange::Text) widget->setText(QtString(StripHotkey(FLabel.Caption())));
    if (change == TControlChange::Style) {
      widget->setWordWrap(FLabel.WordWrap());
      Qt::Alignment h = FLabel.Alignment() == TAlignment::taRightJustify ? Qt::AlignRight
                        : FLabel.Alignment() == TAlignment::taCenter     ? Qt::AlignHCenter
                                                                         : Qt::AlignLeft;
      widget->setAlignment(h | Qt::AlignTop);
    }
  }

private:
  TLabel& FLabel;
};

class TEditPeer : public TQtPeer {
public:
  TEditPeer(TQtWidgetSet& widgetSet, TCustomEdit& edit, QWidget* parent) : TQtPeer(widgetSet, edit), FEdit(edit) {
    auto* widget = new QLineEdit(parent);
    SetWidget(widget);
    QObject::connect(widget, &QLineEdit::textEdited, [this, widget](const QString& text) {
      if (Reading()) return;
      std::string model = ModelString(text);
      int caret = QtText::ByteFromUtf16Offset(model, widget->cursorPosition());
      Act([&] { FEdit.UserEdited(model, caret); });
    });
    QObject::connect(widget, &QLineEdit::cursorPositionChanged, [this, widget](int, int) {
      if (Reading()) return;
      std::string model = FEdit.Text();
      // Mid-edit the caret moves before the text arrives; the edit brings both.
      if (ModelString(widget->text()) != model) return;
      int start = widget->hasSelectedText() ? widget->selectionStart() : widget->cursorPosition();
      int end = widget->hasSelectedText() ? widget->selectionEnd() : start;
      int byteStart = QtText::ByteFromUtf16Offset(model, start);
      FEdit.UserSelected(byteStart, QtText::ByteFromUtf16Offset(model, end) - byteStart);
    });
  }

protected:
  void ReadOwn(TControlChange change) override {
    auto* widget = static_cast<QLineEdit*>(Widget());
    if (change == TControlChange::Text) {
      QString text = QtString(FEdit.Text());
      if (widget->text() != text) widget->setText(text);
    }
    if (change == TControlChange::Style) {
      widget->setReadOnly(FEdit.ReadOnly());
      widget->setMaxLength(FEdit.MaxLength() > 0 ? FEdit.MaxLength() : 32767);
    }
    if (change == TControlChange::Selection || change == TControlChange::Text) {
      std::string text = FEdit.Text();
      int start = QtText::Utf16FromByteOffset(text, FEdit.SelStart());
      int end = QtText::Utf16FromByteOffset(text, FEdit.SelStart() + FEdit.SelLength());
      if (end > start) widget->setSelection(start, end - start);
      else widget->setCursorPosition(start);
    }
  }

private:
  TCustomEdit& FEdit;
};

class TMemoPeer : public TQtPeer {
public:
  TMemoPeer(TQtWidgetSet& widgetSet, TMemo& memo, QWidget* parent) : TQtPeer(widgetSet, memo), FMemo(memo) {
    auto* widget = new QPlainTextEdit(parent);
    widget->setTabChangesFocus(!memo.WantTabs());
    SetWidget(widget);
    QObject::connect(widget, &QPlainTextEdit::textChanged, [this, widget] {
      ClearOverlay();
      if (Reading()) return;
      std::string model = ModelString(widget->toPlainText());
      int caret = QtText::ByteFromUtf16Offset(model, widget->textCursor().position());
      Act([&] { FMemo.UserEdited(model, caret); });
    });
    QObject::connect(widget, &QPlainTextEdit::cursorPositionChanged, [this, widget] {
      if (Reading()) return;
      QTextCursor cursor = widget->textCursor();
      std::string model = FMemo.Text();
      // Mid-edit the caret moves before the text arrives; the edit brings both.
      if (ModelString(widget->toPlainText()) != model) return;
      int start = QtText::ByteFromUtf16Offset(model, cursor.selectionStart());
      int end = QtText::ByteFromUtf16Offset(model, cursor.selectionEnd());
      FMemo.UserSelected(start, end - start);
    });
    QObject::connect(widget->verticalScrollBar(), &QScrollBar::valueChanged, [this] { ClearOverlay(); });
    QObject::connect(widget->horizontalScrollBar(), &QScrollBar::valueChanged, [this] { ClearOverlay(); });
  }

protected:
  QWidget* OverlayParent() const override { return static_cast<QPlainTextEdit*>(Widget())->viewport(); }
  QPoint OverlayOrigin() const override {
    auto* widget = static_cast<QPlainTextEdit*>(Widget());
    // The text's first line starts at the first block's place in the viewport.
    QRectF block = widget->document()->firstBlock().isValid()
                       ? QRectF(widget->cursorRect(QTextCursor(widget->document()->firstBlock())))
                       : QRectF();
    return QPoint(static_cast<int>(block.left()), static_cast<int>(block.top()));
  }
  void ReadOwn(TControlChange change) override {
    auto* widget = static_cast<QPlainTextEdit*>(Widget());
    if (change == TControlChange::Text) {
      QString text = QtString(FMemo.Text());
      if (widget->toPlainText() != text) widget->setPlainText(text);
    }
    if (change == TControlChange::Style) {
      widget->setReadOnly(FMemo.ReadOnly());
      widget->setLineWrapMode(FMemo.WordWrap() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
      TScrollStyle bars = FMemo.ScrollBars();
      bool vertical = bars == TScrollStyle::ssVertical || bars == TScrollStyle::ssBoth;
      bool horizontal = bars == TScrollStyle::ssHorizontal || bars == TScrollStyle::ssBoth;
      widget->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
      widget->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    }
    if (change == TControlChange::Selection || change == TControlChange::Text) {
      std::string text = FMemo.Text();
      QTextCursor cursor = widget->textCursor();
      cursor.setPosition(QtText::Utf16FromByteOffset(text, FMemo.SelStart()));
      if (FMemo.SelLength() > 0)
        cursor.setPosition(QtText::Utf16FromByteOffset(text, FMemo.SelStart() + FMemo.SelLength()), QTextCursor::KeepAnchor);
      widget->setTextCursor(cursor);
    }
  }

private:
  TMemo& FMemo;
};

class TListBoxPeer : public TQtPeer {
public:
  TListBoxPeer(TQtWidgetSet& widgetSet, TListBox& list, QWidget* parent) : TQtPeer(widgetSet, list), FList(list) {
    auto* widget = new QListWidget(parent);
    widget->setUniformItemSizes(true);
    SetWidget(widget);
    QObject::connect(widget, &QListWidget::itemSelectionChanged, [this, widget] {
      if (Reading()) return;
      std::vector<int> selected;
      for (int i = 0; i < widget->count(); ++i)
        if (widget->item(i)->isSelected()) selected.push_back(i);
      int focus = widget->currentRow();
      Act([&] { FList.UserSelected(selected, focus); });
    });
    QObject::connect(widget, &QListWidget::itemDoubleClicked, [this](QListWidgetItem*) { Act([this] { FList.DblClick(); }); });
  }

protected:
  void ReadOwn(TControlChange change) override {
    auto* widget = static_cast<QListWidget*>(Widget());
    if (change == TControlChange::Style)
      widget->setSelectionMode(FList.MultiSelect() ? QAbstractItemView::ExtendedSelection
                                                   : QAbstractItemView::SingleSelection);
    if (change == TControlChange::Items) {
      const TItemStrings& items = *FList.Items();
      bool same = widget->count() == items.Count();
      for (int i = 0; same && i < items.Count(); ++i) same = widget->item(i)->text() == QtString(items.Get(i));
      if (!same) {
        widget->clear();
        for (int i = 0; i < items.Count(); ++i) widget->addItem(QtString(items.Get(i)));
      }
    }
    if (change == TControlChange::Items || change == TControlChange::Selection || change == TControlChange::ItemIndex) {
      QSignalBlocker selection(widget->selectionModel());
      const TItemStrings& items = *FList.Items();
      int focus = FList.ItemIndex();
      if (focus >= 0 && focus < widget->count())
        widget->selectionModel()->setCurrentIndex(widget->model()->index(focus, 0), QItemSelectionModel::NoUpdate);
      for (int i = 0; i < items.Count() && i < widget->count(); ++i) widget->item(i)->setSelected(items.Selected(i));
      if (change == TControlChange::ItemIndex && FList.TopIndex() < widget->count())
        widget->scrollToItem(widget->item(FList.TopIndex()), QAbstractItemView::PositionAtTop);
      widget->viewport()->update();
    }
  }

private:
  TListBox& FList;
};

class TComboBoxPeer : public TQtPeer {
public:
  TComboBoxPeer(TQtWidgetSet& widgetSet, TComboBox& combo, QWidget* parent) : TQtPeer(widgetSet, combo), FCombo(combo) {
    auto* widget = new QComboBox(parent);
    widget->setInsertPolicy(QComboBox::NoInsert);
    SetWidget(widget);
    QObject::connect(widget, &QComboBox::activated, [this](int index) {
      if (Reading()) return;
      Act([&] { FCombo.PickItem(index); });
    });
  }

protected:
  void ReadOwn(TControlChange change) override {
    auto* widget = static_cast<QComboBox*>(Widget());
    if (change == TControlChange::Style) {
      bool editable = FCombo.IsEditable();
      if (widget->isEditable() != editable) {
        widget->setEditable(editable);
        if (editable) {
          QObject::connect(widget->lineEdit(), &QLineEdit::textEdited, [this](const QString& text) {
            if (Reading()) return;
            std::string model = ModelString(text);
            Act([&] { FCombo.TypedText(model); });
          });
        }
      }
      widget->setMaxVisibleItems(std::max(1, FCombo.DropDownCount()));
    }
    if (change == TControlChange::Items) {
      const TItemStrings& items = *FCombo.Items();
      widget->clear();
      for (int i = 0; i < items.Count(); ++i) widget->addItem(QtString(items.Get(i)));
    }
    if (change == TControlChange::Items || change == TControlChange::ItemIndex || change == TControlChange::Text) {
      widget->setCurrentIndex(FCombo.ItemIndex());
      if (widget->isEditable() && widget->lineEdit()) {
        QSignalBlocker edit(widget->lineEdit());
        if (widget->currentText() != QtString(FCombo.Text())) widget->setEditText(QtString(FCombo.Text()));
      }
    }
  }

private:
  TComboBox& FCombo;
};

QFrame::Shadow ShadowOf(TBevelCut cut) { return cut == TBevelCut::bvLowered ? QFrame::Sunken : QFrame::Raised; }

class TPanelPeer : public TQtPeer {
public:
  TPanelPeer(TQtWidgetSet& widgetSet, TPanel& panel, QWidget* parent) : TQtPeer(widgetSet, panel), FPanel(panel) {
    SetWidget(new QFrame(parent));
  }

protected:
  void ReadOwn(TControlChange change) override {
    if (change != TControlChange::Style) return;
    auto* frame = static_cast<QFrame*>(Widget());
    TBevelCut outer = FPanel.BevelOuter();
    if (outer == TBevelCut::bvNone || outer == TBevelCut::bvSpace) {
      frame->setFrameStyle(QFrame::NoFrame);
    } else {
      frame->setFrameStyle(QFrame::Panel | ShadowOf(outer));
      frame->setLineWidth(FPanel.BevelWidth());
    }
  }

private:
  TPanel& FPanel;
};

class TGroupBoxPeer : public TQtPeer {
public:
  TGroupBoxPeer(TQtWidgetSet& widgetSet, TGroupBox& group, QWidget* parent) : TQtPeer(widgetSet, group), FGroup(group) {
    SetWidget(new QGroupBox(parent));
  }

protected:
  void ReadOwn(TControlChange change) override {
    if (change == TControlChange::Text) static_cast<QGroupBox*>(Widget())->setTitle(QtCaption(FGroup.Caption()));
  }
  TGroupBox& FGroup;
};

class TRadioGroupPeer : public TGroupBoxPeer {
public:
  TRadioGroupPeer(TQtWidgetSet& widgetSet, TRadioGroup& group, QWidget* parent)
      : TGroupBoxPeer(widgetSet, group, parent), FRadios(group) {}

protected:
  void ReadOwn(TControlChange change) override {
    TGroupBoxPeer::ReadOwn(change);
    if (change == TControlChange::Items || change == TControlChange::Bounds) Rebuild();
    if (change == TControlChange::Items || change == TControlChange::ItemIndex)
      for (int i = 0; i < static_cast<int>(FButtons.size()); ++i) {
        QSignalBlocker blocker(FButtons[static_cast<size_t>(i)]);
        FButtons[static_cast<size_t>(i)]->setChecked(i == FRadios.ItemIndex());
      }
  }

private:
  void Rebuild() {
    const TItemStrings& items = *FRadios.Items();
    if (static_cast<int>(FButtons.size()) != items.Count()) {
      for (QRadioButton* button : FButtons) delete button;
      FButtons.clear();
      for (int i = 0; i < items.Count(); ++i) {
        auto* button = new QRadioButton(Widget());
        button->setAutoExclusive(false);
        QObject::connect(button, &QRadioButton::clicked, [this, i] { Act([this, i] { FRadios.SetItemIndex(i); }); });
        button->show();
        FButtons.push_back(button);
      }
    }
    // The model's client rect, split into Columns columns of equal rows.
    TRect rect = FRadios.AlignRect();
    int columns = FRadios.Columns();
    int rows = (items.Count() + columns - 1) / std::max(1, columns);
    int columnWidth = rect.Width() / std::max(1, columns);
    int rowHeight = rows > 0 ? rect.Height() / rows : 0;
    for (int i = 0; i < items.Count(); ++i) {
      QRadioButton* button = FButtons[static_cast<size_t>(i)];
      button->setText(QtCaption(items.Get(i)));
      int column = i / std::max(1, rows), row = i % std::max(1, rows);
      button->setGeometry(rect.Left + 4 + column * columnWidth, rect.Top + row * rowHeight, columnWidth - 3,
                          std::max(rowHeight, 17));
    }
  }

  TRadioGroup& FRadios;
  std::vector<QRadioButton*> FButtons;
};

class TPageControlPeer : public TQtPeer {
public:
  TPageControlPeer(TQtWidgetSet& widgetSet, TPageControl& pages, QWidget* parent) : TQtPeer(widgetSet, pages), FPages(pages) {
    auto* widget = new QFrame(parent);
    SetWidget(widget);
    FBar = new QTabBar(widget);
    FBar->setExpanding(false);
    FBar->setDrawBase(true);
    QObject::connect(FBar, &QTabBar::currentChanged, [this](int tab) {
      if (Reading() || tab < 0 || tab >= static_cast<int>(FTabPages.size())) return;
      TTabSheet* page = FTabPages[static_cast<size_t>(tab)];
      Act([&] { FPages.ChangePage(page); });
      Read(TControlChange::ActivePage);
    });
  }

protected:
  void ReadOwn(TControlChange change) override {
    if (change == TControlChange::Bounds) FBar->setGeometry(0, 0, FPages.Width(), FPages.AlignRect().Top);
    if (change == TControlChange::ActivePage || change == TControlChange::Items || change == TControlChange::Text) {
      QSignalBlocker blocker(FBar);
      while (FBar->count() > 0) FBar->removeTab(0);
      FTabPages.clear();
      for (int i = 0; i < FPages.PageCount(); ++i) {
        TTabSheet* page = FPages.Pages(i);
        if (!page->TabVisible()) continue;
        FBar->addTab(QtCaption(page->Caption()));
        if (page == FPages.ActivePage()) FBar->setCurrentIndex(static_cast<int>(FTabPages.size()));
        FTabPages.push_back(page);
      }
      for (int i = 0; i < FPages.PageCount(); ++i)
        if (TQtPeer* peer = WidgetSet().FindPeer(*FPages.Pages(i))) peer->Read(TControlChange::Visible);
    }
  }

private:
  TPageControl& FPages;
  QTabBar* FBar = nullptr;
  std::vector<TTabSheet*> FTabPages;
};

class TTabSheetPeer : public TQtPeer {
public:
  TTabSheetPeer(TQtWidgetSet& widgetSet, TTabSheet& sheet, QWidget* parent) : TQtPeer(widgetSet, sheet), FSheet(sheet) {
    SetWidget(new QWidget(parent));
  }

protected:
  void ReadOwn(TControlChange change) override {
    // A page's caption is its tab's.
    if (change == TControlChange::Text && FSheet.PageControl())
      if (TQtPeer* peer = WidgetSet().FindPeer(*FSheet.PageControl())) peer->Read(TControlChange::Items);
  }

private:
  TTabSheet& FSheet;
};

class TBevelPeer : public TQtPeer {
public:
  TBevelPeer(TQtWidgetSet& widgetSet, TBevel& bevel, QWidget* parent) : TQtPeer(widgetSet, bevel), FBevel(bevel) {
    auto* frame = new QFrame(parent);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    SetWidget(frame);
  }

protected:
  void ReadOwn(TControlChange change) override {
    if (change != TControlChange::Style) return;
    auto* frame = static_cast<QFrame*>(Widget());
    QFrame::Shadow shadow = FBevel.Style() == TBevelStyle::bsLowered ? QFrame::Sunken : QFrame::Raised;
    switch (FBevel.Shape()) {
    case TBevelShape::bsTopLine:
    case TBevelShape::bsBottomLine: frame->setFrameStyle(QFrame::HLine | shadow); break;
    case TBevelShape::bsLeftLine:
    case TBevelShape::bsRightLine: frame->setFrameStyle(QFrame::VLine | shadow); break;
    case TBevelShape::bsSpacer: frame->setFrameStyle(QFrame::NoFrame); break;
    default: frame->setFrameStyle(QFrame::Box | shadow); break;
    }
  }

private:
  TBevel& FBevel;
};

class TImagePeer : public TQtPeer {
public:
  TImagePeer(TQtWidgetSet& widgetSet, TImage& image, QWidget* parent) : TQtPeer(widgetSet, image), FImage(image) {
    auto* label = new QLabel(parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    SetWidget(label);
  }

protected:
  void ReadOwn(TControlChange change) override {
    if (change != TControlChange::Style && change != TControlChange::Visible) return;
    auto* label = static_cast<QLabel*>(Widget());
    label->setScaledContents(FImage.Stretch());
    label->setAlignment(FImage.Center() ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
    if (TGraphic* graphic = FImage.Picture()->Graphic()) label->setPixmap(QPixmap::fromImage(QtImages::ImageOf(*graphic)));
  }

private:
  TImage& FImage;
};

// The splitter bar: a drag ends in the model's DragTo, which may refuse.
class TSplitterWidget : public QWidget {
public:
  TSplitterWidget(QWidget* parent, TSplitter& splitter, std::function<void(int)> dropped)
      : QWidget(parent), FSplitter(splitter), FDropped(std::move(dropped)) {}

protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    FStart = event->globalPosition().toPoint();
    FDragging = true;
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (!FDragging) return;
    FDragging = false;
    QPoint delta = event->globalPosition().toPoint() - FStart;
    TControl* resized = FSplitter.ResizedControl();
    if (!resized) return;
    int size = 0;
    switch (FSplitter.Align()) {
    case TAlign::alLeft: size = resized->Width() + delta.x(); break;
    case TAlign::alRight: size = resized->Width() - delta.x(); break;
    case TAlign::alTop: size = resized->Height() + delta.y(); break;
    case TAlign::alBottom: size = resized->Height() - delta.y(); break;
    default: return;
    }
    FDropped(size);
  }

private:
  TSplitter& FSplitter;
  std::function<void(int)> FDropped;
  QPoint FStart;
  bool FDragging = false;
};

class TSplitterPeer : public TQtPeer {
public:
  TSplitterPeer(TQtWidgetSet& widgetSet, TSplitter& splitter, QWidget* parent) : TQtPeer(widgetSet, splitter), FSplitter(splitter) {
    SetWidget(new TSplitterWidget(parent, splitter, [this](int size) { Act([&] { FSplitter.DragTo(size); }); }));
  }

protected:
  void ReadOwn(TControlChange change) override {
    if (change != TControlChange::Bounds && change != TControlChange::Style) return;
    bool vertical = FSplitter.Align() == TAlign::alLeft || FSplitter.Align() == TAlign::alRight;
    Widget()->setCursor(vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
  }

private:
  TSplitter& FSplitter;
};

// A control of a class without a peer of its own: a plain window that
// holds its children.
class TPlainPeer : public TQtPeer {
public:
  TPlainPeer(TQtWidgetSet& widgetSet, TControl& control, QWidget* parent) : TQtPeer(widgetSet, control) {
    SetWidget(new QWidget(parent));
  }
};

template <class TPeerClass, class TModel>
std::unique_ptr<TQtPeer> Try(TQtWidgetSet& widgetSet, TControl& control, QWidget* parent) {
  if (auto* model = dynamic_cast<TModel*>(&control)) return std::make_unique<TPeerClass>(widgetSet, *model, parent);
  return nullptr;
}
} // namespace

std::unique_ptr<TQtPeer> MakeQtPeer(TQtWidgetSet& widgetSet, TControl& control, QWidget* parent) {
  if (auto* form = dynamic_cast<TForm*>(&control)) return std::make_unique<TFormPeer>(widgetSet, *form);
  using TMaker = std::unique_ptr<TQtPeer> (*)(TQtWidgetSet&, TControl&, QWidget*);
  // Most derived classes first: a radio group is a group box, a memo an edit.
  static const TMaker makers[] = {
      Try<TButtonPeer, TButton>,         Try<TCheckBoxPeer, TCheckBox>,     Try<TRadioGroupPeer, TRadioGroup>,
      Try<TGroupBoxPeer, TGroupBox>,     Try<TLabelPeer, TLabel>,           Try<TMemoPeer, TMemo>,
      Try<TEditPeer, TCustomEdit>,       Try<TListBoxPeer, TListBox>,       Try<TComboBoxPeer, TComboBox>,
      Try<TPageControlPeer, TPageControl>, Try<TTabSheetPeer, TTabSheet>,   Try<TPanelPeer, TPanel>,
      Try<TBevelPeer, TBevel>,           Try<TImagePeer, TImage>,           Try<TSplitterPeer, TSplitter>,
  };
  for (TMaker make : makers)
    if (auto peer = make(widgetSet, control, parent)) return peer;
  return std::make_unique<TPlainPeer>(widgetSet, control, parent);
}
