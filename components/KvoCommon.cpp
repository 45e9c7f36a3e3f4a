#include "components/KvoCommon.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

namespace mirto {

TDateTime LocalDateTimeAt(std::int64_t msecsSinceEpoch) {
  static const QDate kEpoch(1899, 12, 30);
  const QDateTime local = QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, Qt::LocalTime);
  constexpr double kMsecsPerDay = 24.0 * 60 * 60 * 1000;
  return static_cast<double>(kEpoch.daysTo(local.date())) +
         local.time().msecsSinceStartOfDay() / kMsecsPerDay;
}

TKvoTagExt::TKvoTagExt(TComponent* /*owner*/)
    : createdMsecs_(QDateTime::currentMSecsSinceEpoch()) {}

TDateTime TKvoTagExt::DateValue() const {
  if (!dateValue_) dateValue_ = LocalDateTimeAt(createdMsecs_);
  return *dateValue_;
}

TKvoFocusRectParams::TKvoFocusRectParams(TComponent* /*owner*/) {
  pen_.OnChange = [this](TObject* sender) { PropsChanged(sender); };
}

void TKvoFocusRectParams::SetPen(const TPen& pen) {
  pen_.Assign(&pen);
  PropsChanged(this);
}

void TKvoFocusRectParams::SetSpacing(int value) {
  spacing_ = value;
  PropsChanged(this);
}

void TKvoFocusRectParams::SetFocusType(TKvoFocusRectType value) {
  focusType_ = value;
  PropsChanged(this);
}

TKvoGradientEx::TKvoGradientEx(TComponent* /*owner*/) {}

TKvoGradientEx::~TKvoGradientEx() = default;

void TKvoGradientEx::Changed() {
  angleViewModified_ = true;
  PropsChanged(this);
}

void TKvoGradientEx::UpdateCacheForOrientation() {
  if (orientation_ != dgdAngle) {
    angleViewCache_.reset();
  } else if (!angleViewCache_) {
    angleViewCache_ = std::make_unique<TBitmap>();
  }
}

void TKvoGradientEx::SetColorFrom(TColor value) {
  if (value == colorFrom_) return;
  colorFrom_ = value;
  Changed();
}

void TKvoGradientEx::SetColorTo(TColor value) {
  if (value == colorTo_) return;
  colorTo_ = value;
  Changed();
}

void TKvoGradientEx::SetOrientation(TDgradOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  UpdateCacheForOrientation();
  Changed();
}

void TKvoGradientEx::SetBalance(std::uint16_t value) {
  if (value == balance_ || value > 100) return;
  balance_ = value;
  Changed();
}

void TKvoGradientEx::SetBalanceMode(TDgradBalanceMode value) {
  if (value == balanceMode_) return;
  balanceMode_ = value;
  Changed();
}

void TKvoGradientEx::SetAngleDegree(std::uint16_t value) {
  if (value == angleDegree_ || value >= 360) return;
  angleDegree_ = value;
  Changed();
}

void TKvoGradientEx::SetMaxDegrade(std::uint8_t value) {
  if (value == maxDegrade_ || value == 0) return;
  maxDegrade_ = value;
  Changed();
}

void TKvoGradientEx::SetSpeedPercent(int value) {
  if (value == speedPercent_ || value < 0 || value > 100) return;
  speedPercent_ = value;
  Changed();
}

void TKvoGradientEx::Assign(const TKvoGradientEx* source) {
  BeginUpdate();
  try {
    if (source == nullptr) AssignError(nullptr);
    angleDegree_ = source->angleDegree_;
    balance_ = source->balance_;
    balanceMode_ = source->balanceMode_;
    maxDegrade_ = source->maxDegrade_;
    orientation_ = source->orientation_;
    speedPercent_ = source->speedPercent_;
    colorFrom_ = source->colorFrom_;
    colorTo_ = source->colorTo_;
    UpdateCacheForOrientation();
    angleViewModified_ = true;
  } catch (...) {
    EndUpdate(true, false);
    throw;
  }
  EndUpdate(true, false);
}

void TKvoGradientEx::Draw(TCanvas& canvas, const TRect& rect) {
  if (colorFrom_ == colorTo_) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(colorFrom_);
    canvas.FillRect(rect);
    return;
  }
  if (orientation_ != dgdAngle) {
    GradientFillEx(canvas, rect, colorFrom_, colorTo_, orientation_, balance_, angleDegree_,
                   balanceMode_, maxDegrade_, speedPercent_, true, nullptr);
    return;
  }
  const int side = AngleSquareSide(rect);
  // Nothing is painted into an empty rectangle, so the cache is not rebuilt
  // either and must not be taken as current afterwards.
  if (side <= 0 || !angleViewCache_) return;
  if (!angleViewModified_ && angleViewCache_->Width() == side) {
    DrawAngleImage(canvas, rect, *angleViewCache_, angleClipRect_);
    return;
  }
  GradientFillEx(canvas, rect, colorFrom_, colorTo_, dgdAngle, balance_, angleDegree_, balanceMode_,
                 maxDegrade_, speedPercent_, angleClipRect_, angleViewCache_.get());
  angleViewModified_ = false;
}

}  // namespace mirto
