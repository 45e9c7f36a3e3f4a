#include "platform/toolkit/Memo.h"

#include <QPlainTextEdit>
#include <QPointer>

#include "platform/drawing/Canvas_p.h"
#include "platform/toolkit/Control_p.h"

namespace mirto {

struct TMemo::Editor {
  // A child of the control's widget: destroyed with it, hence the guard.
  QPointer<QPlainTextEdit> edit;
};

TMemo::TMemo(TComponent* owner) : TWinControl(owner), editor_(std::make_unique<Editor>()) {
  SetColor(clWindow);
  SetAccessibleRole(arEdit);
  QWidget* host = NativeWidget(*this);
  auto* edit = new QPlainTextEdit(host);
  editor_->edit = edit;
  edit->setTabChangesFocus(true);
  host->setFocusProxy(edit);
  QObject::connect(edit, &QPlainTextEdit::textChanged, edit,
                   [this] { CallHandler(OnChange, this); });
  SetFocusable(true);
  SetTabStop(true);
  SetBorderStyle(bsSingle);
  SetScrollBars(ssNone);
  SetWordWrap(true);
  SetBounds(0, 0, 185, 89);
  FontChanged();
  ColorChanged();
}

TMemo::~TMemo() {
  // The text box must not report changes to a memo that is going away.
  if (!editor_->edit.isNull()) QObject::disconnect(editor_->edit, nullptr, nullptr, nullptr);
}

void TMemo::AccessibleNameChanged() {
  if (!editor_->edit.isNull()) editor_->edit->setAccessibleName(AccessibleName());
}

QString TMemo::Text() const {
  if (editor_->edit.isNull()) return {};
  return editor_->edit->toPlainText().replace('\n', QStringLiteral("\r\n"));
}

void TMemo::SetText(const QString& value) {
  if (editor_->edit.isNull()) return;
  QString plain = value;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  plain.replace('\r', '\n');
  editor_->edit->setPlainText(plain);
}

QStringList TMemo::Lines() const {
  if (editor_->edit.isNull() || editor_->edit->document()->isEmpty()) return {};
  return editor_->edit->toPlainText().split('\n');
}

void TMemo::SetLines(const QStringList& lines) { SetText(lines.join(QStringLiteral("\r\n"))); }

int TMemo::LineCount() const { return static_cast<int>(Lines().size()); }

void TMemo::Append(const QString& line) {
  if (editor_->edit.isNull()) return;
  QStringList lines = Lines();
  lines.append(line);
  SetLines(lines);
}

void TMemo::Clear() { SetText(QString()); }

void TMemo::SetBorderStyle(TFormBorderStyle value) {
  borderStyle_ = value;
  if (editor_->edit.isNull()) return;
  editor_->edit->setFrameStyle(value == bsNone ? QFrame::NoFrame
                                               : (QFrame::StyledPanel | QFrame::Sunken));
}

void TMemo::SetScrollBars(TScrollStyle value) {
  scrollBars_ = value;
  if (editor_->edit.isNull()) return;
  const bool vertical = value == ssVertical || value == ssBoth;
  const bool horizontal = value == ssHorizontal || value == ssBoth;
  editor_->edit->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn
                                                     : Qt::ScrollBarAlwaysOff);
  editor_->edit->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                         : Qt::ScrollBarAlwaysOff);
}

bool TMemo::ReadOnly() const { return !editor_->edit.isNull() && editor_->edit->isReadOnly(); }

void TMemo::SetReadOnly(bool value) {
  if (!editor_->edit.isNull()) editor_->edit->setReadOnly(value);
}

void TMemo::SetWordWrap(bool value) {
  wordWrap_ = value;
  if (editor_->edit.isNull()) return;
  editor_->edit->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::Resize() {
  if (!editor_->edit.isNull()) editor_->edit->setGeometry(0, 0, Width(), Height());
  TWinControl::Resize();
}

void TMemo::FontChanged() {
  if (!editor_->edit.isNull()) {
    editor_->edit->setFont(ToQFont(Font()));
    QPalette palette = editor_->edit->palette();
    palette.setColor(QPalette::Text, ToQColor(Font().Color()));
    editor_->edit->setPalette(palette);
  }
  TWinControl::FontChanged();
}

void TMemo::ColorChanged() {
  if (!editor_->edit.isNull()) {
    QPalette palette = editor_->edit->palette();
    palette.setColor(QPalette::Base, ToQColor(Color()));
    palette.setColor(QPalette::Window, ToQColor(Color()));
    editor_->edit->setPalette(palette);
  }
  TWinControl::ColorChanged();
}

void TMemo::EnabledChanged() {
  if (!editor_->edit.isNull()) editor_->edit->setEnabled(Enabled());
  TWinControl::EnabledChanged();
}

}  // namespace mirto
