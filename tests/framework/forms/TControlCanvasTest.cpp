#include "forms/TControlCanvas.h"

#include "forms/TForm.h"
#include "forms/TGraphics.h"
#include "forms/THeadlessWidgetSet.h"
#include "forms/TLabel.h"
#include "forms/TMemo.h"

#include <gtest/gtest.h>

TEST(TControlCanvas, WithoutAControlNothingIsDrawn) {
  TControlCanvas canvas;
  TBitmap marker(10, 6);
  canvas.Draw(1, 1, marker);  // no control: nothing happens
  EXPECT_EQ(nullptr, canvas.Control());
}

TEST(TControlCanvas, DrawingOverAControlLastsUntilItsRepaint) {
  auto form = CreateForm<TForm>(nullptr);
  auto* memo = new TMemo(form.get());
  memo->SetParent(form.get());
  auto* label = new TLabel(form.get());
  label->SetParent(form.get());
  label->SetBounds(20, 30, 50, 13);
  TControlCanvas canvas;
  canvas.SetControl(memo);
  EXPECT_EQ(13, canvas.TextHeight("0"));
  EXPECT_EQ(30, canvas.TextWidth("where"));
  TBitmap marker(10, 6, clFuchsia);
  marker.SetPixel(4, 0, clRed);
  marker.SetTransparent(true);
  canvas.Draw(27, 26, marker);
  const THeadlessWidgetSet::TWindow* window = HeadlessWidgetSet()->Window(*memo);
  ASSERT_NE(nullptr, window);
  ASSERT_EQ(1u, window->Drawings.size());
  EXPECT_EQ(27, window->Drawings[0].X);
  EXPECT_EQ(10, window->Drawings[0].Width);
  memo->Invalidate();
  EXPECT_TRUE(window->Drawings.empty());
  EXPECT_EQ(1, window->Repaints);
  // A label has no window: it draws on its parent's, at its place there.
  canvas.SetControl(label);
  canvas.Draw(1, 2, marker);
  const THeadlessWidgetSet::TWindow* formWindow = HeadlessWidgetSet()->Window(*form);
  ASSERT_NE(nullptr, formWindow);
  EXPECT_EQ(21, formWindow->Drawings.back().X);
  EXPECT_EQ(32, formWindow->Drawings.back().Y);
  EXPECT_EQ(clFuchsia, marker.TransparentColor());
  // The canvas forgets a control that goes.
  canvas.SetControl(memo);
  delete memo;
  EXPECT_EQ(nullptr, canvas.Control());
}
