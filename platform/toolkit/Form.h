#pragma once

// Windows. A form is a top-level control whose client area is its whole
// size (Width and Height are the client area's, whatever frame the window
// manager adds). Forms start hidden; Show places them by Position the first
// time (screen centre) or every time (centred over the main window). A form
// whose Constraints fix both its width and its height is a window of fixed
// size: its equal minimum and maximum sizes tell the window manager (X11
// size hints, a Wayland compositor's minimum and maximum) that it cannot be
// resized or maximised, and a size or a maximised or full-screen state that
// a window manager imposes anyway is undone.

#include <QString>
#include <functional>
#include <memory>

#include "platform/toolkit/Control.h"

namespace mirto {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
using enum TFormBorderStyle;

enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using enum TBorderIcon;
using TBorderIcons = TSet<TBorderIcon>;

enum class TPosition {
  poDesigned,
  poDefault,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
using enum TPosition;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using enum TCloseAction;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrClose = 8;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TCustomControl {
 public:
  explicit TForm(TComponent* owner = nullptr);
  ~TForm() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  // The caption-bar buttons a framed window offers (a borderless window has
  // no caption bar; it can still be minimised through the application).
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }

  // Shows the window in front and activates it.
  void Show();
  void Hide() { SetVisible(false); }
  // Shows the window modally: the other windows take no input until it
  // closes; timers and other events keep running. Returns the ModalResult
  // that ended it (mrCancel when it was closed). A window that is already
  // shown cannot become modal: mrNone, nothing happens.
  TModalResult ShowModal();
  bool Modal() const { return modal_; }
  TModalResult ModalResult() const { return modalResult_; }
  // A non-zero result ends a modal showing.
  void SetModalResult(TModalResult value);

  // Asks OnCloseQuery, then: a modal window ends with mrCancel; the main
  // window ends the application; any other window does what OnClose leaves
  // in its action (hide by default, caFree releases it).
  void Close();

  // The control that gets the focus when the window is shown.
  TWinControl* ActiveControl() const;
  void SetActiveControl(TWinControl* control);

  bool Active() const;

  // Keys first: the window's KeyDown and KeyPress (its handlers, then Enter
  // and Esc for the default and cancel buttons) see each key before the
  // focused control does, instead of after it and its parents. A key the
  // window takes goes to no control; one it leaves goes on as usual, and
  // the window does not see it again.
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }

  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnPaint;

 protected:
  virtual bool CloseQuery();
  virtual void DoClose(TCloseAction& action);
  virtual void DoShow();
  virtual void DoHide();

  void Paint() override;
  void VisibleChanging() override;
  void TextChanged() override;
  bool WindowEvent(QEvent& event) override;
  // Enter clicks the default button and Esc the cancel button, unless the
  // focused control took the key.
  void KeyDown(std::uint16_t& key, TShiftState shift) override;

 private:
  void FocusActiveControl();
  void ApplyBorderStyle();
  void ApplyPosition();
  // A window whose Constraints fix its width and height leaves a maximised
  // or full-screen state that a window manager gives it anyway.
  void UndoImposedState();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  bool modal_ = false;
  bool keyPreview_ = false;
  TModalResult modalResult_ = mrNone;
  bool placedOnce_ = false;
  struct ModalLoop;
  ModalLoop* modalLoop_ = nullptr;
  class ActiveControlLink;
  std::unique_ptr<ActiveControlLink> activeControl_;
};

// A window of width x height centred over the area over, kept on workArea
// (the work area of the screen that shows over).
TRect CenteredBounds(const TRect& over, int width, int height, const TRect& workArea);

// The form that holds control (the control itself when it is a form).
TForm* GetParentForm(const TControl& control);

}  // namespace mirto
