// Alignment, anchors and splitters of the forms layer.
#include "forms/TButton.h"
#include "forms/TForm.h"
#include "forms/TFormUser.h"
#include "forms/TLabel.h"
#include "forms/TPanel.h"
#include "forms/TSplitter.h"

#include <gtest/gtest.h>

namespace {
template <class T>
T* Add(TForm& form, TWinControl& parent, const char* name, TAlign align, int w, int h) {
  auto* c = new T(&form);
  c->SetName(name);
  c->SetBounds(0, 0, w, h);
  c->SetAlign(align);
  c->SetParent(&parent);
  return c;
}

struct TEditorLayout {
  TFormPtr<TForm> Form = CreateForm<TForm>(nullptr);
  TPanel* Top;
  TPanel* Buttons;
  TPanel* MetaInfo;
  TSplitter* Splitter;
  TPanel* Memo;
  TButton* Ok;
  TEditorLayout() {
    Form->SetName("Editor");
    Form->SetBounds(0, 0, 750, 447);
    Top = Add<TPanel>(*Form, *Form, "TopPanel", TAlign::alTop, 100, 19);
    Buttons = Add<TPanel>(*Form, *Form, "ButtonPanel", TAlign::alBottom, 100, 35);
    MetaInfo = Add<TPanel>(*Form, *Form, "MetaInfoPanel", TAlign::alLeft, 129, 10);
    Splitter = Add<TSplitter>(*Form, *Form, "Splitter", TAlign::alLeft, 3, 10);
    Splitter->SetLeft(200);
    Memo = Add<TPanel>(*Form, *Form, "SQLMemoPanel", TAlign::alClient, 10, 10);
    Ok = new TButton(Form.get());
    Ok->SetName("OkButton");
    Ok->SetParent(Buttons);
    Ok->SetBounds(500, 5, 75, 25);
    Ok->SetAnchors({TAnchorKind::akRight, TAnchorKind::akBottom});
  }
};
} // namespace

TEST(Layout, AlignedControlsShareTheClientArea) {
  TEditorLayout l;
  int cw = l.Form->ClientWidth(), ch = l.Form->ClientHeight();
  EXPECT_EQ(742, cw);
  auto rect = [](TControl* c) {
    TRect r = c->BoundsRect();
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Width()) + "x" +
           std::to_string(r.Height());
  };
  EXPECT_EQ("0,0,742x19", rect(l.Top));
  EXPECT_EQ("0," + std::to_string(ch - 35) + ",742x35", rect(l.Buttons));
  EXPECT_EQ("0,19,129x" + std::to_string(ch - 54), rect(l.MetaInfo));
  EXPECT_EQ("129,19,3x" + std::to_string(ch - 54), rect(l.Splitter));
  EXPECT_EQ("132,19,610x" + std::to_string(ch - 54), rect(l.Memo));
  // Growing the form moves the right-anchored button and widens the client part.
  l.Form->SetWidth(850);
  EXPECT_EQ(600, l.Ok->Left());
  EXPECT_EQ(710, l.Memo->Width());
}

TEST(Layout, SplitterDragsAskCanResizeAndReportMoved) {
  TEditorLayout l;
  auto* label = new TLabel(l.Form.get());
  label->SetParent(l.Top);
  label->SetCaption("&SQL:");
  EXPECT_EQ(24, label->Width());  // four characters without the accelerator mark
  std::vector<int> asked;
  l.Splitter->SetMinSize(100);
  l.Splitter->OnCanResize = TCanResizeEvent([&](TObject*, int& newSize, bool& accept) {
    asked.push_back(newSize);
    accept = newSize > 100 && newSize < l.Form->ClientWidth() - 100;
  });
  l.Splitter->OnMoved = TNotifyEvent([&](TObject*) { label->SetLeft(l.Memo->Left()); });
  EXPECT_EQ(l.MetaInfo, l.Splitter->ResizedControl());
  EXPECT_FALSE(l.Splitter->DragTo(40));   // below the minimum: asked with 100, refused
  EXPECT_FALSE(l.Splitter->DragTo(642));  // client width - 100
  EXPECT_TRUE(l.Splitter->DragTo(250));
  EXPECT_EQ((std::vector<int>{100, 642, 250}), asked);
  EXPECT_EQ(250, l.MetaInfo->Width());
  EXPECT_EQ(253, l.Memo->Left());
  EXPECT_EQ(253, label->Left());
}

TEST(Layout, TabOrderFollowsTheFormDefinition) {
  TEditorLayout l;
  l.MetaInfo->SetTabOrder(0);
  l.Buttons->SetTabOrder(0);
  EXPECT_EQ(0, l.Buttons->TabOrder());
  EXPECT_EQ(1, l.MetaInfo->TabOrder());
  EXPECT_EQ(2, l.Top->TabOrder());
  auto* orphan = new TButton(l.Form.get());
  orphan->SetTabOrder(1);  // before it has a parent: applied when it gets one
  orphan->SetParent(l.Form.get());
  EXPECT_EQ(1, orphan->TabOrder());
  EXPECT_EQ(2, l.MetaInfo->TabOrder());
}

TEST(Layout, DestroyingAParentDetachesItsChildren) {
  TEditorLayout l;
  delete l.Buttons;  // the button stays, owned by the form, without a parent
  EXPECT_EQ(nullptr, l.Ok->Parent());
  EXPECT_EQ(l.Form.get(), l.Ok->Owner());
  EXPECT_FALSE(l.Ok->IsShowing());
}
