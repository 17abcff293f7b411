#pragma once
// A bar between two aligned controls that the user drags to resize the
// control before it (left of a left-aligned splitter, above a top-aligned
// one). OnCanResize may refuse a new size; OnMoved follows a done resize.
#include "forms/TGraphicControl.h"

class TSplitter : public TGraphicControl {
  QUELM_CLASS(TSplitter, TGraphicControl)

public:
  explicit TSplitter(TComponent* owner);

  int MinSize() const { return FMinSize; }
  void SetMinSize(int size) { FMinSize = size; }
  bool Beveled() const { return FBeveled; }
  void SetBeveled(bool beveled) { FBeveled = beveled; }
  TResizeStyle ResizeStyle() const { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle style) { FResizeStyle = style; }
  bool AutoSnap() const { return FAutoSnap; }
  void SetAutoSnap(bool snap) { FAutoSnap = snap; }

  // The control the splitter resizes: the visible sibling with the same
  // alignment whose edge touches the splitter. None when there is none.
  TControl* ResizedControl() const;
  // What a drag to a new size of the resized control does: sizes below
  // MinSize become MinSize, OnCanResize decides, and an accepted size is
  // applied and followed by OnMoved. True when the size was applied.
  bool DragTo(int newSize);

  TCanResizeEvent OnCanResize;
  TNotifyEvent OnMoved;

private:
  int FMinSize = 30;
  bool FBeveled = false;
  TResizeStyle FResizeStyle = TResizeStyle::rsPattern;
  bool FAutoSnap = true;
};
