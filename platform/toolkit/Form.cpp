#include "platform/toolkit/Form.h"

#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "platform/toolkit/Application.h"
#include "platform/toolkit/BitBtn.h"
#include "platform/toolkit/Control_p.h"
#include "platform/toolkit/WindowManagerHints.h"

namespace mirto {

struct TForm::ModalLoop {
  QEventLoop loop;
};

// Follows the active control without keeping a destroyed one.
class TForm::ActiveControlLink {
 public:
  QPointer<QWidget> widget;
  TWinControl* Control() const {
    return widget.isNull() ? nullptr : dynamic_cast<TWinControl*>(ControlFromWidget(widget));
  }
};

namespace {

// Every button below control, in creation order.
void CollectButtons(const TControl& control, std::vector<TBitBtn*>& buttons) {
  const auto* win = dynamic_cast<const TWinControl*>(&control);
  if (win == nullptr) return;
  for (int i = 0; i < win->ControlCount(); ++i) {
    TControl* child = win->Controls(i);
    if (auto* button = dynamic_cast<TBitBtn*>(child)) buttons.push_back(button);
    CollectButtons(*child, buttons);
  }
}

bool Usable(const TBitBtn& button) {
  for (const TControl* c = &button; c != nullptr; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

}  // namespace

TForm::TForm(TComponent* owner)
    : TCustomControl(owner), activeControl_(std::make_unique<ActiveControlLink>()) {
  SetTopLevelWindow(true);
  SetAccessibleRole(arWindow);
  SetColor(clBtnFace);
  SetParentFont(false);
  ApplyBorderStyle();
}

TForm::~TForm() {
  ExpireLife();
  if (modalLoop_ != nullptr) modalLoop_->loop.quit();
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
  if (ChangeValue(borderStyle_, value)) ApplyBorderStyle();
}

void TForm::SetBorderIcons(TBorderIcons value) {
  if (ChangeValue(borderIcons_, value)) ApplyBorderStyle();
}

void TForm::ApplyBorderStyle() {
  Qt::WindowFlags flags = Qt::Window;
  if (borderStyle_ != bsNone) {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (borderIcons_.Contains(biSystemMenu))
      flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (borderIcons_.Contains(biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
    if (borderIcons_.Contains(biMaximize) && borderStyle_ == bsSizeable)
      flags |= Qt::WindowMaximizeButtonHint;
    if (borderIcons_.Contains(biHelp)) flags |= Qt::WindowContextHelpButtonHint;
  }
  switch (borderStyle_) {
    case bsNone:
      flags |= Qt::FramelessWindowHint;
      break;
    case bsDialog:
      flags = (flags & ~Qt::WindowType_Mask) | Qt::Dialog;
      break;
    case bsToolWindow:
      flags = (flags & ~Qt::WindowType_Mask) | Qt::Tool;
      break;
    default:
      break;
  }
  if (Widget().parentWidget() != nullptr) flags = OwnedWindowFlags(flags);
  const bool shown = Widget().isVisible();
  Widget().setWindowFlags(flags);
  Widget().setGeometry(Left(), Top(), Width(), Height());
  if (shown) Widget().show();
}

void TForm::UndoImposedState() {
  static constexpr Qt::WindowStates imposed = Qt::WindowMaximized | Qt::WindowFullScreen;
  if (!Constraints().FixedSize() || !(Widget().windowState() & imposed)) return;
  // After the toolkit has taken the new state in; the size follows (the
  // window's limits bring it back, see ControlWidget::resizeEvent).
  QTimer::singleShot(0, &Widget(), [window = &Widget()] {
    window->setWindowState(window->windowState() & ~imposed);
  });
}

void TForm::FocusActiveControl() {
  if (TWinControl* control = ActiveControl(); control != nullptr && control->CanFocus())
    control->SetFocus();
}

void TForm::Show() {
  ShowBeforeChildren();
  // The window showed before its children, when its active control could
  // not take the focus yet.
  FocusActiveControl();
  Widget().raise();
  Widget().activateWindow();
}

TModalResult TForm::ShowModal() {
  if (Visible() || modal_) return mrNone;
  modalResult_ = mrNone;
  modal_ = true;
  Widget().setWindowModality(Qt::ApplicationModal);
  const TLifeWatch watch = LifeWatch();
  ModalLoop loop;
  modalLoop_ = &loop;
  Show();
  while (watch.Alive() && modalResult_ == mrNone && Visible() &&
         !(Application() != nullptr && Application()->Terminated()))
    loop.loop.exec();
  if (!watch.Alive()) return mrCancel;  // destroyed while shown
  modalLoop_ = nullptr;
  const TModalResult result = modalResult_ != mrNone ? modalResult_ : mrCancel;
  Hide();
  Widget().setWindowModality(Qt::NonModal);
  modal_ = false;
  modalResult_ = result;
  return result;
}

void TForm::SetModalResult(TModalResult value) {
  modalResult_ = value;
  if (value != mrNone && modalLoop_ != nullptr) modalLoop_->loop.quit();
}

void TForm::Close() {
  if (!CloseQuery()) return;
  if (modal_) {
    SetModalResult(mrCancel);
    return;
  }
  TCloseAction action = caHide;
  const TLifeWatch watch = LifeWatch();
  DoClose(action);
  if (!watch.Alive() || action == caNone) return;
  if (Application() != nullptr && Application()->MainForm() == this) {
    Application()->Terminate();
    return;
  }
  switch (action) {
    case caHide:
      Hide();
      break;
    case caMinimize:
      Widget().showMinimized();
      break;
    case caFree:
      Release();
      break;
    case caNone:
      break;
  }
}

bool TForm::CloseQuery() {
  bool canClose = true;
  CallHandler(OnCloseQuery, this, canClose);
  return canClose;
}

void TForm::DoClose(TCloseAction& action) { CallHandler(OnClose, this, action); }

void TForm::DoShow() { CallHandler(OnShow, this); }

void TForm::DoHide() { CallHandler(OnHide, this); }

void TForm::Paint() { CallHandler(OnPaint, this); }

TWinControl* TForm::ActiveControl() const { return activeControl_->Control(); }

void TForm::SetActiveControl(TWinControl* control) {
  activeControl_->widget = control != nullptr ? NativeWidget(*control) : nullptr;
  if (control != nullptr && Showing() && control->CanFocus()) control->SetFocus();
}

bool TForm::Active() const { return Widget().isActiveWindow(); }

void TForm::VisibleChanging() {
  TCustomControl::VisibleChanging();
  if (!Visible()) {
    ApplyPosition();
    ClearIconicStartState(Widget());
    DoShow();
  } else {
    DoHide();
    if (modalLoop_ != nullptr) modalLoop_->loop.quit();
  }
}

void TForm::TextChanged() { Widget().setWindowTitle(Caption()); }

bool TForm::WindowEvent(QEvent& event) {
  switch (event.type()) {
    case QEvent::Close:
      // The window manager asks: the form decides as for its own Close.
      event.ignore();
      Close();
      return true;
    case QEvent::Show:
      FocusActiveControl();
      return false;
    case QEvent::WindowStateChange:
      UndoImposedState();
      return false;
    default:
      return false;
  }
}

void TForm::KeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key != 0x0D && key != 0x1B) return;
  std::vector<TBitBtn*> buttons;
  CollectButtons(*this, buttons);
  for (TBitBtn* button : buttons) {
    const bool wanted = key == 0x0D ? button->Default() : button->Cancel();
    if (wanted && Usable(*button)) {
      key = 0;
      button->Click();
      return;
    }
  }
}

namespace {

// The screen the user is looking at: the one under the pointer.
QScreen* ScreenUnderPointer() {
  if (QScreen* screen = QGuiApplication::screenAt(QCursor::pos())) return screen;
  return QGuiApplication::primaryScreen();
}

TRect WorkAreaOf(const QScreen* screen, const TRect& fallback) {
  if (screen == nullptr) return fallback;
  const QRect work = screen->availableGeometry();
  return Bounds(work.x(), work.y(), work.width(), work.height());
}

// The work area of the screen that shows the window: the screen under the
// centre of its bounds, else the widget's own, else the one under the pointer.
TRect WorkAreaFor(const TRect& bounds, const QWidget& widget) {
  QScreen* screen = QGuiApplication::screenAt(
      QPoint(bounds.Left + bounds.Width() / 2, bounds.Top + bounds.Height() / 2));
  if (screen == nullptr) screen = widget.screen();
  if (screen == nullptr) screen = ScreenUnderPointer();
  return WorkAreaOf(screen, bounds);
}

}  // namespace

TRect CenteredBounds(const TRect& over, int width, int height, const TRect& workArea) {
  int left = over.Left + Div(over.Width() - width, 2);
  int top = over.Top + Div(over.Height() - height, 2);
  // Kept on the work area; its top-left corner wins when the window is larger.
  left = std::max(workArea.Left, std::min(left, workArea.Right - width));
  top = std::max(workArea.Top, std::min(top, workArea.Bottom - height));
  return Bounds(left, top, width, height);
}

void TForm::ApplyPosition() {
  const TRect screenArea = WorkAreaOf(ScreenUnderPointer(), BoundsRect());
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      if (!placedOnce_) SetBoundsRect(CenteredBounds(screenArea, Width(), Height(), screenArea));
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TForm* over = Application() != nullptr ? Application()->MainForm() : nullptr;
      if (position_ == poOwnerFormCenter)
        if (auto* owner = dynamic_cast<TForm*>(Owner())) over = owner;
      if (over != nullptr && over != this && over->Visible()) {
        const TRect area = over->BoundsRect();
        SetBoundsRect(
            CenteredBounds(area, Width(), Height(), WorkAreaFor(area, *NativeWidget(*over))));
      } else {
        SetBoundsRect(CenteredBounds(screenArea, Width(), Height(), screenArea));
      }
      break;
    }
    default:
      break;
  }
  placedOnce_ = true;
}

TForm* GetParentForm(const TControl& control) {
  const TControl* root = &control;
  while (root->Parent() != nullptr) root = root->Parent();
  return dynamic_cast<TForm*>(const_cast<TControl*>(root));
}

}  // namespace mirto
