#pragma once

// Multi-line text box: the user may edit its text; the program sets and
// reads it as a whole or line by line. The platform's text box behind it is
// made when the memo first shows.

#include <QString>
#include <QStringList>
#include <functional>
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

  // The cells of one line of the text, in the order of the columns.
  using TLineCells = std::function<QStringList(const QString& line)>;
  // Assistive technology reads the text as a table named by AccessibleName,
  // with the columns headers: one row per line, each line split into its
  // cells by cells (missing cells read empty, extra ones are left out).
  // Without columns the text is read as text.
  void SetAccessibleTable(const QStringList& headers, TLineCells cells);
  const QStringList& AccessibleColumns() const { return accessibleColumns_; }
  // The cells of the table's row: one per column.
  QStringList AccessibleRow(int row) const;

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
  QStringList accessibleColumns_;
  TLineCells accessibleCells_;
};

}  // namespace mirto
