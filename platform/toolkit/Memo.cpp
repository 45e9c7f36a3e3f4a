#include "platform/toolkit/Memo.h"

#include <QAccessible>
#include <QEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <utility>

#include "platform/drawing/Canvas_p.h"
#include "platform/toolkit/Control_p.h"

namespace mirto {

namespace {

// The text as the text box holds it: lines end in "\n" alone.
QString PlainText(const QString& value) {
  QString plain = value;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  plain.replace('\r', '\n');
  return plain;
}

}  // namespace

// The text box is made when the memo first shows (or is first focused):
// until then the memo keeps its text itself. A memo that starts hidden, like
// the about window's list, then costs no text layout and no font of its own
// before it is seen.
struct TMemo::Editor {
  // A child of the control's widget: destroyed with it, hence the guard.
  QPointer<QPlainTextEdit> edit;
  bool made = false;
  QString text;  // the text until the text box exists
  bool readOnly = false;

  // The text box, made on first use; null once the control's widget is gone.
  static QPlainTextEdit* Box(const TMemo& memo);
  // Frame, scroll bars, wrapping, font, colours and state of the memo.
  static void Apply(const TMemo& memo, QPlainTextEdit& edit);
};

TMemo::TMemo(TComponent* owner) : TWinControl(owner), editor_(std::make_unique<Editor>()) {
  SetColor(clWindow);
  SetAccessibleRole(arEdit);
  SetFocusable(true);
  SetTabStop(true);
  SetBorderStyle(bsSingle);
  SetScrollBars(ssNone);
  SetWordWrap(true);
  SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() {
  // The text box must not report changes to a memo that is going away.
  if (!editor_->edit.isNull()) QObject::disconnect(editor_->edit, nullptr, nullptr, nullptr);
}

void TMemo::AccessibleNameChanged() {
  if (!editor_->edit.isNull()) editor_->edit->setAccessibleName(AccessibleName());
}

QPlainTextEdit* TMemo::Editor::Box(const TMemo& memo) {
  Editor& editor = *memo.editor_;
  if (editor.made) return editor.edit.data();
  editor.made = true;
  QWidget* host = NativeWidget(memo);
  auto* edit = new QPlainTextEdit(host);
  editor.edit = edit;
  edit->setTabChangesFocus(true);
  edit->setGeometry(0, 0, memo.Width(), memo.Height());
  Apply(memo, *edit);
  edit->setPlainText(editor.text);
  editor.text.clear();
  edit->setReadOnly(editor.readOnly);
  auto* self = const_cast<TMemo*>(&memo);
  QObject::connect(edit, &QPlainTextEdit::textChanged, edit,
                   [self] { CallHandler(self->OnChange, self); });
  edit->setAccessibleName(memo.AccessibleName());
  host->setFocusProxy(edit);
  // A child made after its parent is on screen shows only when told to.
  if (host->isVisible()) edit->show();
  return edit;
}

void TMemo::Editor::Apply(const TMemo& memo, QPlainTextEdit& edit) {
  edit.setFrameStyle(memo.borderStyle_ == bsNone ? QFrame::NoFrame
                                                 : (QFrame::StyledPanel | QFrame::Sunken));
  const TScrollStyle bars = memo.scrollBars_;
  const bool vertical = bars == ssVertical || bars == ssBoth;
  const bool horizontal = bars == ssHorizontal || bars == ssBoth;
  edit.setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  edit.setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  edit.setLineWrapMode(memo.wordWrap_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  edit.setFont(ToQFont(memo.Font()));
  QPalette palette = edit.palette();
  palette.setColor(QPalette::Text, ToQColor(memo.Font().Color()));
  palette.setColor(QPalette::Base, ToQColor(memo.Color()));
  palette.setColor(QPalette::Window, ToQColor(memo.Color()));
  edit.setPalette(palette);
  edit.setEnabled(memo.Enabled());
}

QString TMemo::Text() const {
  QString plain;
  if (!editor_->made)
    plain = editor_->text;
  else if (!editor_->edit.isNull())
    plain = editor_->edit->toPlainText();
  return plain.replace('\n', QStringLiteral("\r\n"));
}

void TMemo::SetText(const QString& value) {
  if (editor_->made) {
    if (!editor_->edit.isNull()) editor_->edit->setPlainText(PlainText(value));
    return;
  }
  editor_->text = PlainText(value);
  // As the text box reports every text set, also an unchanged one.
  CallHandler(OnChange, this);
}

QStringList TMemo::Lines() const {
  if (!editor_->made) {
    if (editor_->text.isEmpty()) return {};
    return editor_->text.split('\n');
  }
  if (editor_->edit.isNull() || editor_->edit->document()->isEmpty()) return {};
  return editor_->edit->toPlainText().split('\n');
}

void TMemo::SetLines(const QStringList& lines) { SetText(lines.join(QStringLiteral("\r\n"))); }

int TMemo::LineCount() const { return static_cast<int>(Lines().size()); }

void TMemo::Append(const QString& line) {
  QStringList lines = Lines();
  lines.append(line);
  SetLines(lines);
}

void TMemo::Clear() { SetText(QString()); }

void TMemo::SetAccessibleTable(const QStringList& headers, TLineCells cells) {
  accessibleColumns_ = headers;
  accessibleCells_ = std::move(cells);
  // The frame around the text box is no more than that; the text box inside
  // is the table (or the text).
  SetAccessibleRole(headers.isEmpty() ? arEdit : arPanel);
  // What the text box already told is forgotten, so that it is asked anew.
  if (QPlainTextEdit* edit = editor_->edit.data())
    if (QAccessibleInterface* told = QAccessible::queryAccessibleInterface(edit))
      QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(told));
}

QStringList TMemo::AccessibleRow(int row) const {
  const QStringList lines = Lines();
  if (accessibleColumns_.isEmpty() || row < 0 || row >= lines.size()) return {};
  QStringList cells = accessibleCells_ ? accessibleCells_(lines.at(row)) : QStringList();
  cells.resize(accessibleColumns_.size());
  return cells;
}

void TMemo::SetBorderStyle(TFormBorderStyle value) {
  borderStyle_ = value;
  if (Made()) Editor::Apply(*this, *editor_->edit);
}

void TMemo::SetScrollBars(TScrollStyle value) {
  scrollBars_ = value;
  if (Made()) Editor::Apply(*this, *editor_->edit);
}

bool TMemo::ReadOnly() const {
  if (!editor_->made) return editor_->readOnly;
  return !editor_->edit.isNull() && editor_->edit->isReadOnly();
}

void TMemo::SetReadOnly(bool value) {
  if (!editor_->made)
    editor_->readOnly = value;
  else if (!editor_->edit.isNull())
    editor_->edit->setReadOnly(value);
}

void TMemo::SetWordWrap(bool value) {
  wordWrap_ = value;
  if (Made()) Editor::Apply(*this, *editor_->edit);
}

bool TMemo::Made() const { return editor_ != nullptr && !editor_->edit.isNull(); }

void TMemo::Resize() {
  if (Made()) editor_->edit->setGeometry(0, 0, Width(), Height());
  TWinControl::Resize();
}

void TMemo::FontChanged() {
  if (Made()) Editor::Apply(*this, *editor_->edit);
  TWinControl::FontChanged();
}

void TMemo::ColorChanged() {
  if (Made()) Editor::Apply(*this, *editor_->edit);
  TWinControl::ColorChanged();
}

void TMemo::EnabledChanged() {
  if (Made()) editor_->edit->setEnabled(Enabled());
  TWinControl::EnabledChanged();
}

bool TMemo::WindowEvent(QEvent& event) {
  if (event.type() == QEvent::Show) Editor::Box(*this);
  return TWinControl::WindowEvent(event);
}

}  // namespace mirto
