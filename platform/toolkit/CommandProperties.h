#pragma once

// The properties an action and a menu entry share: caption, hint, shortcut,
// image, and the enabled, visible and checked states. Each setter ignores an
// unchanged value and otherwise tells the holder through PropertiesChanged.

#include <QString>

#include "platform/toolkit/ShortCut.h"

namespace mirto {

class TCommandProperties {
 public:
  TCommandProperties(const TCommandProperties&) = delete;
  TCommandProperties& operator=(const TCommandProperties&) = delete;

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption) { Set(caption_, caption); }
  const QString& Hint() const { return hint_; }
  void SetHint(const QString& hint) { Set(hint_, hint); }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut) { Set(shortCut_, shortCut); }
  // Index into the holder's image list; -1 for none (lower values become -1).
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index) { Set(imageIndex_, index < -1 ? -1 : index); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { Set(enabled_, enabled); }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { Set(visible_, visible); }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked) { Set(checked_, checked); }

 protected:
  TCommandProperties() = default;
  ~TCommandProperties() = default;

  virtual void PropertiesChanged() = 0;

  QString caption_;
  QString hint_;
  TShortCut shortCut_ = scNone;
  int imageIndex_ = -1;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;

 private:
  template <typename T>
  void Set(T& field, const T& value) {
    if (field == value) return;
    field = value;
    PropertiesChanged();
  }
};

}  // namespace mirto
