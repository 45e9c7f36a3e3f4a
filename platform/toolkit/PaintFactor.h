#pragma once

// The factor at which controls, windows and menus paint their pictures: each
// logical pixel becomes a factor x factor cell of the picture, so that text,
// rounded shapes and glyphs come out crisp on screens of high resolution
// while every layout stays in logical pixels.

namespace mirto {

// The whole factor for a screen of that device pixel ratio: 1 at 100 % and
// 125 %, 2 at 150 % and 200 %, 3 at 300 %; never below 1. What remains of the
// ratio is left to the toolkit, which scales the finished picture.
int PaintFactorForRatio(double devicePixelRatio);

// The factor set by a TPaintFactorScope, 0 when none is alive.
int PaintFactorOverride();

// The factor a picture for a screen of that ratio is painted at: the one a
// TPaintFactorScope sets, else PaintFactorForRatio.
int PaintFactorFor(double devicePixelRatio);

// While one lives, every control and menu paints at factor (at least 1),
// whatever screen it is on; the previous setting returns when it ends. For
// tests and benchmarks.
class TPaintFactorScope {
 public:
  explicit TPaintFactorScope(int factor);
  ~TPaintFactorScope();
  TPaintFactorScope(const TPaintFactorScope&) = delete;
  TPaintFactorScope& operator=(const TPaintFactorScope&) = delete;

 private:
  int previous_;
};

}  // namespace mirto
