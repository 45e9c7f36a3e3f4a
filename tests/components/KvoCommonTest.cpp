#include <gtest/gtest.h>

#include <QDateTime>
#include <QThread>
#include <functional>
#include <string>
#include <vector>

#include "components/KvoCommon.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "tests/support/PixelBoard.h"

namespace mirto {
namespace {

// Records every OnChange call of an option object.
struct ChangeLog {
  std::vector<TObject*> senders;
  TNotifyEvent Handler() {
    return [this](TObject* sender) { senders.push_back(sender); };
  }
  int Count() const { return static_cast<int>(senders.size()); }
};

class Options : public TKvoPersistent {};

enum class Call { Begin, EndNotify, EndQuiet, EndReset };

struct UpdateCase {
  const char* name;
  std::vector<Call> calls;
  // OnChange count after each call.
  std::vector<int> notifications;
  int finalCounter;
};

TEST(KvoPersistent, UpdateBracketsNotifyOnlyWhenTheLastOneCloses) {
  const std::vector<UpdateCase> cases = {
      {"nested pair fires after the outer end",
       {Call::Begin, Call::Begin, Call::EndNotify, Call::EndNotify},
       {0, 0, 0, 1},
       0},
      {"unmatched end still fires and keeps the counter at zero",
       {Call::EndNotify, Call::EndNotify},
       {1, 2},
       0},
      {"reset closes every level at once",
       {Call::Begin, Call::Begin, Call::Begin, Call::EndReset},
       {0, 0, 0, 1},
       0},
      {"quiet end never fires", {Call::Begin, Call::EndQuiet, Call::EndQuiet}, {0, 0, 0}, 0},
      {"open bracket stays open", {Call::Begin, Call::Begin, Call::EndNotify}, {0, 0, 0}, 1},
  };
  for (const UpdateCase& c : cases) {
    SCOPED_TRACE(c.name);
    Options options;
    ChangeLog log;
    options.SetOnChange(log.Handler());
    for (std::size_t i = 0; i < c.calls.size(); ++i) {
      switch (c.calls[i]) {
        case Call::Begin:
          options.BeginUpdate();
          break;
        case Call::EndNotify:
          options.EndUpdate(true, false);
          break;
        case Call::EndQuiet:
          options.EndUpdate(false, false);
          break;
        case Call::EndReset:
          options.EndUpdate(true, true);
          break;
      }
      EXPECT_EQ(log.Count(), c.notifications[i]) << "after call " << i;
    }
    EXPECT_EQ(options.UpdateCounter(), c.finalCounter);
    for (TObject* sender : log.senders) EXPECT_EQ(sender, &options);
  }
}

TEST(KvoPersistent, EndUpdateWithoutHandlerIsHarmless) {
  Options options;
  options.BeginUpdate();
  options.EndUpdate(true, false);
  EXPECT_EQ(options.UpdateCounter(), 0);
}

TEST(KvoTagExt, StartsEmptyAndDatedAtConstruction) {
  const TDateTime before = LocalDateTimeAt(QDateTime::currentMSecsSinceEpoch());
  TKvoTagExt tag(nullptr);
  const TDateTime after = LocalDateTimeAt(QDateTime::currentMSecsSinceEpoch());
  // Read a while later, the value is still the moment of construction.
  QThread::msleep(30);
  EXPECT_GE(tag.DateValue(), before);
  EXPECT_LE(tag.DateValue(), after);
  // Days since 30 December 1899: any date after 2020 lies beyond 43831.
  EXPECT_GT(tag.DateValue(), 43831.0);
  EXPECT_EQ(tag.IntValue(), 0);
  EXPECT_TRUE(tag.StrValue().isEmpty());
  EXPECT_EQ(tag.RealValue(), 0.0);
  EXPECT_EQ(tag.PointerValue(), nullptr);
}

TEST(KvoFocusRectParams, PenChangesReachOnChangeWithThePenAsSender) {
  TKvoFocusRectParams params;
  EXPECT_EQ(params.Spacing(), 2);
  EXPECT_EQ(params.FocusType(), frtNone);
  ChangeLog log;
  params.SetOnChange(log.Handler());

  params.Pen().SetWidth(3);
  ASSERT_GE(log.Count(), 1);
  EXPECT_EQ(log.senders.back(), &params.Pen());

  log.senders.clear();
  params.SetSpacing(params.Spacing());
  params.SetFocusType(params.FocusType());
  ASSERT_EQ(log.Count(), 2);
  EXPECT_EQ(log.senders[0], &params);
  EXPECT_EQ(log.senders[1], &params);
}

TEST(KvoFocusRectParams, SettingThePenCopiesItIntoTheOwnedPen) {
  TKvoFocusRectParams params;
  const TPen* owned = &params.Pen();
  ChangeLog log;
  params.SetOnChange(log.Handler());
  TPen other;
  other.SetColor(clFuchsia);
  other.SetWidth(4);
  other.SetStyle(psDot);
  other.SetMode(pmXor);
  params.SetPen(other);
  EXPECT_EQ(&params.Pen(), owned);
  EXPECT_EQ(params.Pen().Color(), clFuchsia);
  EXPECT_EQ(params.Pen().Width(), 4);
  EXPECT_EQ(params.Pen().Style(), psDot);
  EXPECT_EQ(params.Pen().Mode(), pmXor);
  ASSERT_GE(log.Count(), 1);
  EXPECT_EQ(log.senders.back(), &params);
  // Later changes of the given pen do not reach the owned one.
  other.SetColor(clBlue);
  EXPECT_EQ(params.Pen().Color(), clFuchsia);
}

// A setter applied to a fresh gradient and what must hold afterwards.
struct GradientSetterCase {
  const char* name;
  std::function<void(TKvoGradientEx&)> set;
  std::function<bool(const TKvoGradientEx&)> holds;
};

// Each case on a fresh gradient: what it says holds, and the gradient
// notified notifications times (with itself as the sender).
void CheckGradientSetters(const std::vector<GradientSetterCase>& cases, int notifications) {
  for (const GradientSetterCase& c : cases) {
    SCOPED_TRACE(c.name);
    TKvoGradientEx gradient;
    ChangeLog log;
    gradient.SetOnChange(log.Handler());
    c.set(gradient);
    EXPECT_TRUE(c.holds(gradient));
    EXPECT_EQ(log.Count(), notifications);
    for (TObject* sender : log.senders) EXPECT_EQ(sender, &gradient);
  }
}

TEST(KvoGradientEx, SettersRejectOutOfRangeAndUnchangedValuesWithoutNotifying) {
  const std::vector<GradientSetterCase> cases = {
      {"balance 101", [](TKvoGradientEx& g) { g.SetBalance(101); },
       [](const TKvoGradientEx& g) { return g.Balance() == 50; }},
      {"speed -1", [](TKvoGradientEx& g) { g.SetSpeedPercent(-1); },
       [](const TKvoGradientEx& g) { return g.SpeedPercent() == 100; }},
      {"speed 101", [](TKvoGradientEx& g) { g.SetSpeedPercent(101); },
       [](const TKvoGradientEx& g) { return g.SpeedPercent() == 100; }},
      {"angle 360", [](TKvoGradientEx& g) { g.SetAngleDegree(360); },
       [](const TKvoGradientEx& g) { return g.AngleDegree() == 45; }},
      {"max degrade 0", [](TKvoGradientEx& g) { g.SetMaxDegrade(0); },
       [](const TKvoGradientEx& g) { return g.MaxDegrade() == 255; }},
      {"same colour from", [](TKvoGradientEx& g) { g.SetColorFrom(clWhite); },
       [](const TKvoGradientEx& g) { return g.ColorFrom() == clWhite; }},
      {"same orientation", [](TKvoGradientEx& g) { g.SetOrientation(dgdVertical); },
       [](const TKvoGradientEx& g) { return g.Orientation() == dgdVertical; }},
      {"clip flag", [](TKvoGradientEx& g) { g.SetAngleClipRect(true); },
       [](const TKvoGradientEx& g) { return g.AngleClipRect(); }},
  };
  CheckGradientSetters(cases, 0);
}

TEST(KvoGradientEx, AcceptedValuesAreStoredAndNotifyOnce) {
  const std::vector<GradientSetterCase> cases = {
      {"angle 359", [](TKvoGradientEx& g) { g.SetAngleDegree(359); },
       [](const TKvoGradientEx& g) { return g.AngleDegree() == 359; }},
      {"balance 100", [](TKvoGradientEx& g) { g.SetBalance(100); },
       [](const TKvoGradientEx& g) { return g.Balance() == 100; }},
      {"speed 0", [](TKvoGradientEx& g) { g.SetSpeedPercent(0); },
       [](const TKvoGradientEx& g) { return g.SpeedPercent() == 0; }},
      {"max degrade 1", [](TKvoGradientEx& g) { g.SetMaxDegrade(1); },
       [](const TKvoGradientEx& g) { return g.MaxDegrade() == 1; }},
      {"colour to", [](TKvoGradientEx& g) { g.SetColorTo(clPurple); },
       [](const TKvoGradientEx& g) { return g.ColorTo() == clPurple; }},
      {"mode", [](TKvoGradientEx& g) { g.SetBalanceMode(bmMirror); },
       [](const TKvoGradientEx& g) { return g.BalanceMode() == bmMirror; }},
  };
  CheckGradientSetters(cases, 1);
}

TEST(KvoGradientEx, AngleCacheExistsExactlyWhileTheShapeIsAngle) {
  TKvoGradientEx gradient;
  EXPECT_EQ(gradient.AngleViewCache(), nullptr);
  gradient.SetOrientation(dgdAngle);
  EXPECT_NE(gradient.AngleViewCache(), nullptr);
  gradient.SetOrientation(dgdRadial);
  EXPECT_EQ(gradient.AngleViewCache(), nullptr);

  TKvoGradientEx angle;
  angle.SetOrientation(dgdAngle);
  gradient.Assign(&angle);
  EXPECT_NE(gradient.AngleViewCache(), nullptr);
  TKvoGradientEx vertical;
  gradient.Assign(&vertical);
  EXPECT_EQ(gradient.AngleViewCache(), nullptr);
}

TEST(KvoGradientEx, AssignCopiesGradientPropertiesAndNotifiesOnce) {
  TKvoGradientEx source;
  source.SetColorFrom(clBlue);
  source.SetColorTo(clFuchsia);
  source.SetOrientation(dgdRectangle);
  source.SetBalance(20);
  source.SetBalanceMode(bmReverse);
  source.SetAngleDegree(10);
  source.SetMaxDegrade(7);
  source.SetSpeedPercent(60);
  source.SetAngleClipRect(true);

  TKvoGradientEx target;
  ChangeLog log;
  target.SetOnChange(log.Handler());
  target.Assign(&source);
  EXPECT_EQ(log.Count(), 1);
  EXPECT_EQ(target.ColorFrom(), clBlue);
  EXPECT_EQ(target.ColorTo(), clFuchsia);
  EXPECT_EQ(target.Orientation(), dgdRectangle);
  EXPECT_EQ(target.Balance(), 20);
  EXPECT_EQ(target.BalanceMode(), bmReverse);
  EXPECT_EQ(target.AngleDegree(), 10);
  EXPECT_EQ(target.MaxDegrade(), 7);
  EXPECT_EQ(target.SpeedPercent(), 60);
  EXPECT_FALSE(target.AngleClipRect());
}

TEST(KvoGradientEx, AssignInsideAnUpdateNotifiesAtTheOuterEnd) {
  TKvoGradientEx source;
  source.SetColorFrom(clBlue);
  TKvoGradientEx target;
  ChangeLog log;
  target.SetOnChange(log.Handler());
  target.BeginUpdate();
  target.Assign(&source);
  EXPECT_EQ(log.Count(), 0);
  EXPECT_EQ(target.ColorFrom(), clBlue);
  target.EndUpdate(true, false);
  EXPECT_EQ(log.Count(), 1);
}

TEST(KvoGradientEx, CopyingFromOtherObjectsFails) {
  TKvoGradientEx target;
  ChangeLog log;
  target.SetOnChange(log.Handler());
  TPen pen;
  EXPECT_THROW(target.Assign(static_cast<const TPersistent*>(&pen)), EConvertError);
  // A null source closes its update bracket before failing.
  EXPECT_THROW(target.Assign(static_cast<const TKvoGradientEx*>(nullptr)), EConvertError);
  EXPECT_EQ(target.UpdateCounter(), 0);
  EXPECT_EQ(log.Count(), 1);
}

// --- painting ---------------------------------------------------------------

using testing_support::PixelBoard;

constexpr TColor kUntouched = RGB(1, 2, 3);

TEST(KvoGradientEx, EqualColoursFillSolidWhateverTheShape) {
  for (TDgradOrientation shape : {dgdVertical, dgdAngle, dgdRadial}) {
    TKvoGradientEx gradient;
    gradient.SetOrientation(shape);
    gradient.SetColorFrom(clPurple);
    gradient.SetColorTo(clPurple);
    gradient.SetBalance(10);
    PixelBoard surface(20, 20, kUntouched);
    gradient.Draw(surface.Canvas(), {2, 3, 12, 15});
    EXPECT_EQ(surface.At(2, 3), clPurple);
    EXPECT_EQ(surface.At(11, 14), clPurple);
    EXPECT_EQ(surface.At(12, 14), kUntouched);
    EXPECT_EQ(surface.At(11, 15), kUntouched);
  }
}

TEST(KvoGradientEx, DrawPaintsWhatTheEngineWouldPaint) {
  TKvoGradientEx gradient;
  gradient.SetOrientation(dgdRectangle);
  gradient.SetColorFrom(clBlack);
  gradient.SetColorTo(clWhite);
  gradient.SetBalance(30);
  gradient.SetBalanceMode(bmReverse);
  gradient.SetSpeedPercent(80);
  gradient.SetMaxDegrade(40);
  PixelBoard drawn(40, 30, kUntouched);
  gradient.Draw(drawn.Canvas(), {3, 2, 37, 27});
  PixelBoard direct(40, 30, kUntouched);
  GradientFillEx(direct.Canvas(), {3, 2, 37, 27}, clBlack, clWhite, dgdRectangle, 30, 45, bmReverse,
                 40, 80, true, nullptr);
  EXPECT_EQ(drawn.DifferenceFrom(direct), "");
}

class AngleCache : public ::testing::Test {
 protected:
  AngleCache() {
    gradient.SetOrientation(dgdAngle);
    gradient.SetColorFrom(clBlack);
    gradient.SetColorTo(clWhite);
    gradient.SetAngleDegree(30);
  }
  // Marks the cached image so that a later paint shows whether the cache was
  // drawn as it stood or built afresh.
  void MarkCache() {
    TBitmap* cache = gradient.AngleViewCache();
    ASSERT_NE(cache, nullptr);
    cache->Canvas().Brush().SetColor(clFuchsia);
    cache->Canvas().FillRect({0, 0, cache->Width(), cache->Height()});
  }
  TKvoGradientEx gradient;
};

TEST_F(AngleCache, SecondDrawOfTheSameSizeReusesTheImageAtTheSamePlace) {
  PixelBoard first(60, 50, kUntouched);
  gradient.Draw(first.Canvas(), {10, 10, 40, 30});
  EXPECT_FALSE(gradient.AngleViewModified());
  const TBitmap* cache = gradient.AngleViewCache();

  // A pure move draws the cache as it stands.
  PixelBoard moved(60, 50, kUntouched);
  gradient.Draw(moved.Canvas(), {15, 12, 45, 32});
  EXPECT_EQ(gradient.AngleViewCache(), cache);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(moved.At(x + 15, y + 12), first.At(x + 10, y + 10));

  MarkCache();
  PixelBoard marked(60, 50, kUntouched);
  gradient.Draw(marked.Canvas(), {10, 10, 40, 30});
  EXPECT_EQ(marked.At(25, 20), clFuchsia);
}

TEST_F(AngleCache, ClipFlagChangeReusesTheImage) {
  PixelBoard surface(60, 50, kUntouched);
  gradient.Draw(surface.Canvas(), {10, 10, 40, 30});
  MarkCache();
  gradient.SetAngleClipRect(true);
  surface.Clear();
  gradient.Draw(surface.Canvas(), {10, 10, 40, 30});
  EXPECT_EQ(surface.At(10, 10), clFuchsia);
  EXPECT_EQ(surface.At(39, 29), clFuchsia);
  EXPECT_EQ(surface.At(9, 10), kUntouched);
  EXPECT_EQ(surface.At(40, 29), kUntouched);
}

TEST_F(AngleCache, SizeOrPropertyChangeRebuildsTheImage) {
  PixelBoard surface(80, 80, kUntouched);
  gradient.Draw(surface.Canvas(), {10, 10, 40, 30});
  MarkCache();
  gradient.Draw(surface.Canvas(), {10, 10, 50, 30});
  EXPECT_NE(surface.At(25, 20), clFuchsia);
  EXPECT_FALSE(gradient.AngleViewModified());

  MarkCache();
  gradient.SetColorTo(clBlue);
  EXPECT_TRUE(gradient.AngleViewModified());
  gradient.Draw(surface.Canvas(), {10, 10, 50, 30});
  EXPECT_NE(surface.At(25, 20), clFuchsia);
}

TEST_F(AngleCache, DrawIntoAnEmptyRectangleDoesNotMarkAStaleImageCurrent) {
  PixelBoard surface(60, 50, kUntouched);
  gradient.Draw(surface.Canvas(), {10, 10, 40, 30});
  MarkCache();
  gradient.SetColorTo(clBlue);
  gradient.Draw(surface.Canvas(), {10, 10, 10, 30});
  EXPECT_TRUE(gradient.AngleViewModified());
  gradient.Draw(surface.Canvas(), {10, 10, 40, 30});
  EXPECT_NE(surface.At(25, 20), clFuchsia);
}

TEST_F(AngleCache, AssignedAngleGradientReusesItsNewCache) {
  TKvoGradientEx target;
  target.Assign(&gradient);
  PixelBoard surface(60, 50, kUntouched);
  target.Draw(surface.Canvas(), {10, 10, 40, 30});
  TBitmap* cache = target.AngleViewCache();
  ASSERT_NE(cache, nullptr);
  cache->Canvas().Brush().SetColor(clFuchsia);
  cache->Canvas().FillRect({0, 0, cache->Width(), cache->Height()});
  target.Draw(surface.Canvas(), {10, 10, 40, 30});
  EXPECT_EQ(surface.At(25, 20), clFuchsia);
}

}  // namespace
}  // namespace mirto
