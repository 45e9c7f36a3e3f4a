#pragma once

// Multi-line text box: the user may edit its text; the program sets and
// reads it as a whole or line by line. The platform's text box behind it is
// made when the memo first shows.

#include <QString>
#include <QStringList>
#include <memory>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/Form.h"

namespace mirto {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
using enum TScrollStyle;

class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* owner = nullptr);
  ~TMemo() override;

  // The whole text; lines are separated by "\r\n" (a lone "\n" also ends a
  // line when text is set).
  QString Text() const;
  void SetText(const QString& value);
  QStringList Lines() const;
  void SetLines(const QStringList& lines);
  int LineCount() const;
  void Append(const QString& line);
  void Clear();

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  // bsNone shows no frame; any other style a single sunken frame.
  void SetBorderStyle(TFormBorderStyle value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  bool ReadOnly() const;
  void SetReadOnly(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

  // The text changed (by the user or the program).
  TNotifyEvent OnChange;

 protected:
  void Resize() override;
  void FontChanged() override;
  void ColorChanged() override;
  void EnabledChanged() override;
  // The text box inside takes the keyboard focus, so it carries the name.
  void AccessibleNameChanged() override;
  bool WindowEvent(QEvent& event) override;

 private:
  bool Made() const;

  struct Editor;
  std::unique_ptr<Editor> editor_;
  TFormBorderStyle borderStyle_ = bsSingle;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
};

}  // namespace mirto
