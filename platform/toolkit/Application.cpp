#include "platform/toolkit/Application.h"

#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QPixmap>
#include <QPointer>

#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/FontSubstitution.h"
#include "platform/toolkit/Control_p.h"
#include "platform/toolkit/Form.h"

namespace mirto {

namespace {
TApplication* g_application = nullptr;
}

struct TApplication::Toolkit {
  std::unique_ptr<QApplication> owned;
  QPointer<QEventLoop> runLoop;
};

TApplication* Application() { return g_application; }

TApplication::TApplication(int& argc, char** argv) : toolkit_(std::make_unique<Toolkit>()) {
  if (QCoreApplication::instance() == nullptr)
    toolkit_->owned = std::make_unique<QApplication>(argc, argv);
  // Before anything asks for the application's accessible root.
  InstallControlAccessibility();
  // Windows close through their forms; the loop ends with the main window.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  icon_.OnChange = [this](TObject*) { ApplyIcon(); };
  g_application = this;
}

TApplication::~TApplication() {
  // The windows go first, while the toolkit still runs.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  mainForm_ = nullptr;
  // Widgets whose destruction had to wait for the end of an event.
  FlushDeferredDeletions();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  if (g_application == this) g_application = nullptr;
  toolkit_->owned.reset();
}

void TApplication::Initialize() { InstallFontSubstitutions(); }

void TApplication::SetTitle(const QString& value) {
  // Kept here only: as the toolkit's display name it would be appended to
  // every window's caption, and the window manager must see the captions as
  // they stand.
  title_ = value;
}

void TApplication::ApplyIcon() { QGuiApplication::setWindowIcon(TIconAccess::NativeIcon(icon_)); }

void TApplication::FormCreated(TForm* form) {
  if (mainForm_ == nullptr) {
    mainForm_ = form;
    return;
  }
  // The other windows belong to the main window: no taskbar button of their
  // own, and they stay above it. The window manager learns that only from a
  // window that is transient for the main window, which the toolkit makes of
  // dialog windows.
  if (mainFormOnTaskBar_) {
    QWidget* widget = NativeWidget(*form);
    widget->setParent(NativeWidget(*mainForm_), OwnedWindowFlags(widget->windowFlags()));
  }
}

void TApplication::Minimize() {
  if (mainForm_ == nullptr) return;
  NativeWidget(*mainForm_)->showMinimized();
  CallHandler(OnMinimize, this);
}

void TApplication::Restore() {
  if (mainForm_ == nullptr) return;
  QWidget* widget = NativeWidget(*mainForm_);
  widget->showNormal();
  widget->activateWindow();
  CallHandler(OnRestore, this);
}

void TApplication::Run() {
  if (mainForm_ == nullptr || terminated_) return;
  mainForm_->Show();
  while (!terminated_) {
    QEventLoop loop;
    toolkit_->runLoop = &loop;
    loop.exec();
  }
  toolkit_->runLoop = nullptr;
}

void TApplication::Terminate() {
  terminated_ = true;
  // Modal windows end too; their loops look at Terminated.
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* form = dynamic_cast<TForm*>(Components(i)); form != nullptr && form->Modal())
      form->SetModalResult(mrCancel);
  if (!toolkit_->runLoop.isNull()) toolkit_->runLoop->quit();
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace mirto
