#pragma once

// The application object: owns the windows it creates (in order; the first
// is the main window, which owns the taskbar button), carries the title and
// icon, and runs the event loop until the main window closes.

#include <QString>
#include <memory>

#include "platform/drawing/Icon.h"
#include "platform/toolkit/Component.h"

namespace mirto {

class TForm;

class TApplication : public TComponent {
 public:
  // Starts the toolkit (unless the program already has), with the program's
  // command line. There is one application object at a time.
  TApplication(int& argc, char** argv);
  // Destroys the windows, then the toolkit when this object started it.
  ~TApplication() override;

  // Installs the font substitutions the layouts rely on.
  void Initialize();

  // The main window keeps the only taskbar button; the others belong to it.
  bool MainFormOnTaskBar() const { return mainFormOnTaskBar_; }
  void SetMainFormOnTaskBar(bool value) { mainFormOnTaskBar_ = value; }

  // Creates a window owned by the application; the first becomes MainForm.
  template <class Form>
  Form* CreateForm() {
    auto* form = new Form(this);
    FormCreated(form);
    return form;
  }
  TForm* MainForm() const { return mainForm_; }

  const QString& Title() const { return title_; }
  void SetTitle(const QString& value);
  // Setting the icon copies it; every window shows it.
  TIcon& Icon() { return icon_; }
  void SetIcon(const TIcon& value) { icon_.Assign(&value); }

  // The main window goes to the taskbar (minimised), and comes back.
  void Minimize();
  void Restore();

  // Shows the main window and handles events until the
  // main window closes or Terminate is called.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Handles the events waiting now, and returns.
  void ProcessMessages();

  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;

 private:
  void FormCreated(TForm* form);
  void ApplyIcon();

  struct Toolkit;
  std::unique_ptr<Toolkit> toolkit_;
  TForm* mainForm_ = nullptr;
  bool mainFormOnTaskBar_ = true;
  bool terminated_ = false;
  QString title_;
  TIcon icon_;
};

// The application object, or nullptr when there is none.
TApplication* Application();

}  // namespace mirto
