#pragma once

// Option objects shared by the component library: the base with batched
// change notification, the extended tag, the focus-rectangle options and the
// two-colour gradient description.

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "graphics/KvoGradient.h"
#include "platform/drawing/Pen.h"
#include "platform/drawing/Persistent.h"
#include "platform/drawing/Types.h"

namespace mirto {

class TBitmap;
class TCanvas;
class TComponent;

// Base of the option objects: the common change notifier (OnChange and the
// BeginUpdate/EndUpdate bracket), with the handler reached through
// OnChange()/SetOnChange() as the components expect.
class TKvoPersistent : public TNotifyingPersistent {
 public:
  TKvoPersistent() = default;

  const TNotifyEvent& OnChange() const { return TNotifyingPersistent::OnChange; }
  void SetOnChange(TNotifyEvent handler) { TNotifyingPersistent::OnChange = std::move(handler); }

 protected:
  // Calls OnChange with sender when a handler is assigned. Setters pass the
  // object itself; owned pens pass themselves, so the owner learns which
  // sub-object changed.
  void PropsChanged(TObject* sender) { Notify(sender); }
};

// Days since 30 December 1899, the fraction being the time of day.
using TDateTime = double;

// The local date and time at a moment given in milliseconds since 1970 UTC.
TDateTime LocalDateTimeAt(std::int64_t msecsSinceEpoch);

// User values a component carries beside its integer tag. Plain storage:
// setting a value notifies nobody.
class TKvoTagExt : public TPersistent {
 public:
  // The owner is accepted for symmetry with the other option objects and is
  // not kept.
  explicit TKvoTagExt(TComponent* owner);

  std::int32_t IntValue() const { return intValue_; }
  void SetIntValue(std::int32_t value) { intValue_ = value; }
  const QString& StrValue() const { return strValue_; }
  void SetStrValue(const QString& value) { strValue_ = value; }
  double RealValue() const { return realValue_; }
  void SetRealValue(double value) { realValue_ = value; }
  // The moment of construction unless set; turned into local time when first
  // read (each component carries a tag, and few are ever asked).
  TDateTime DateValue() const;
  void SetDateValue(TDateTime value) { dateValue_ = value; }
  void* PointerValue() const { return pointerValue_; }
  void SetPointerValue(void* value) { pointerValue_ = value; }

 private:
  std::int32_t intValue_ = 0;
  QString strValue_;
  double realValue_ = 0;
  std::int64_t createdMsecs_;
  mutable std::optional<TDateTime> dateValue_;
  void* pointerValue_ = nullptr;
};

enum class TKvoFocusRectType { frtSystem, frtCustom, frtNone };
using enum TKvoFocusRectType;

// How a component marks keyboard focus. Any change of the pen reaches
// OnChange with the pen as sender; the other setters send the object itself.
class TKvoFocusRectParams : public TKvoPersistent {
 public:
  explicit TKvoFocusRectParams(TComponent* owner = nullptr);

  const TPen& Pen() const { return pen_; }
  TPen& Pen() { return pen_; }
  // Copies colour, width, style and mode; the owned pen stays the same object.
  void SetPen(const TPen& pen);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  TKvoFocusRectType FocusType() const { return focusType_; }
  void SetFocusType(TKvoFocusRectType value);

 private:
  TPen pen_;
  int spacing_ = 2;
  TKvoFocusRectType focusType_ = frtNone;
};

// A two-colour gradient as a component's option: validated values, change
// notification and painting through GradientFillEx. The angle shape keeps its
// rotated image between paints (up to 2,048 pixels a side; larger ones are
// built afresh where they reach the canvas) and rebuilds it only after a
// change of a gradient property or of the diagonal of the painted rectangle.
class TKvoGradientEx : public TKvoPersistent {
 public:
  explicit TKvoGradientEx(TComponent* owner = nullptr);
  ~TKvoGradientEx() override;

  TColor ColorFrom() const { return colorFrom_; }
  void SetColorFrom(TColor value);
  TColor ColorTo() const { return colorTo_; }
  void SetColorTo(TColor value);
  TDgradOrientation Orientation() const { return orientation_; }
  // Entering dgdAngle creates the image cache, leaving it frees the cache.
  void SetOrientation(TDgradOrientation value);
  // 0..100; larger values are ignored.
  std::uint16_t Balance() const { return balance_; }
  void SetBalance(std::uint16_t value);
  TDgradBalanceMode BalanceMode() const { return balanceMode_; }
  void SetBalanceMode(TDgradBalanceMode value);
  // 0..359; larger values are ignored.
  std::uint16_t AngleDegree() const { return angleDegree_; }
  void SetAngleDegree(std::uint16_t value);
  // 1..255; 0 is ignored.
  std::uint8_t MaxDegrade() const { return maxDegrade_; }
  void SetMaxDegrade(std::uint8_t value);
  // 0..100; other values are ignored.
  int SpeedPercent() const { return speedPercent_; }
  void SetSpeedPercent(int value);
  // Applies when drawing only: neither notifies nor invalidates the cache.
  bool AngleClipRect() const { return angleClipRect_; }
  void SetAngleClipRect(bool value) { angleClipRect_ = value; }

  // Copies every gradient property of source (not AngleClipRect) and
  // notifies once, when no outer update is open. A null source raises
  // EConvertError after that notification.
  void Assign(const TKvoGradientEx* source);
  // Copying from any other kind of object is not supported.
  using TPersistent::Assign;

  void Draw(TCanvas& canvas, const TRect& rect);

  // The rotated image kept for the angle shape; null for the other shapes.
  TBitmap* AngleViewCache() const { return angleViewCache_.get(); }
  // True while the cache may not show the current properties.
  bool AngleViewModified() const { return angleViewModified_; }

 private:
  void Changed();
  void UpdateCacheForOrientation();

  std::unique_ptr<TBitmap> angleViewCache_;
  bool angleViewModified_ = true;
  bool angleClipRect_ = false;
  std::uint16_t balance_ = 50;
  TColor colorFrom_ = clWhite;
  TColor colorTo_ = clBtnFace;
  TDgradOrientation orientation_ = dgdVertical;
  std::uint16_t angleDegree_ = 45;
  TDgradBalanceMode balanceMode_ = bmNormal;
  std::uint8_t maxDegrade_ = 255;
  int speedPercent_ = 100;
};

}  // namespace mirto
