#pragma once

// Painting in the platform's classic 3-D style: nested frames, panel bevels
// and the push-button face, drawn with the canvas's pen and brush.

#include "platform/drawing/Types.h"

namespace mirto {

class TCanvas;

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using enum TBevelCut;

// Ring k of a frame drawn inward from rect runs along the inclusive corners
// (Left + k, Top + k) .. (Right - 1 - k, Bottom - 1 - k). Of the first width
// rings, those from first to last can put a pixel inside clip: the outer
// ones may lie around it, the inner ones beside it, and a ring turned inside
// out has no pixels of its own (it would only repaint the outer ones).
// first > last when none can.
struct FrameRings {
  long long first = 0;
  long long last = -1;
};
FrameRings FrameRingsInClip(const TRect& rect, int width, const TRect& clip);

// Draws width nested one-pixel frames along the inside of rect, top and left
// edges in topLeft, bottom and right edges in bottomRight (the top-right and
// bottom-left corners belong to bottomRight), and shrinks rect by width on
// every side. Frames stop where the rectangle is used up. Leaves the canvas
// pen one pixel wide in bottomRight.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);

// The classic raised push-button face: a bevel of two rings (button
// highlight and dark shadow outside, 3-D light and button shadow inside)
// around a button-face interior. rect comes back as the area inside the
// bevel. The canvas's tools are left as they were.
void DrawPushButtonFace(TCanvas& canvas, TRect& rect);

// A bevel of width rings: raised light at the top left and shadow at the
// bottom right, lowered the other way round, a space in the button face.
// Shrinks rect like Frame3D; bvNone draws nothing and leaves rect.
void DrawBevel(TCanvas& canvas, TRect& rect, TBevelCut cut, int width);

}  // namespace mirto
