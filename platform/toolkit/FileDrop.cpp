#include "platform/toolkit/FileDrop.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

#include "platform/toolkit/Control_p.h"

namespace mirto {

namespace {

// Sits on the control's widget and turns Qt's drag events into the
// control's pointer-over look and the drop handler.
class FileDropFilter : public QObject {
 public:
  FileDropFilter(ControlWidget& widget, TFilesDroppedEvent handler)
      : QObject(&widget), watched_(&widget), widget_(&widget), handler_(std::move(handler)) {}

  void SetHandler(TFilesDroppedEvent handler) { handler_ = std::move(handler); }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    // Compared as plain objects: while the widget is being destroyed it still
    // gets events, and it is no longer a ControlWidget by then.
    if (object != watched_) return false;
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (Files(*drag).isEmpty()) {
          drag->ignore();
          return true;
        }
        drag->acceptProposedAction();
        if (event->type() == QEvent::DragEnter) Hot(true);
        return true;
      }
      case QEvent::DragLeave:
        Hot(false);
        return true;
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = Files(*drop);
        Hot(false);
        if (files.isEmpty() || widget_.isNull() || widget_->Control() == nullptr) {
          drop->ignore();
          return true;
        }
        drop->acceptProposedAction();
        // The handler may destroy the control, this filter with it.
        const TFilesDroppedEvent handler = handler_;
        TControl* control = widget_->Control();
        if (handler) {
          DispatchFor(*control, [&] { handler(*control, files); });
        }
        return true;
      }
      default:
        return false;
    }
  }

 private:
  static QStringList Files(const QDropEvent& event) {
    const QMimeData* data = event.mimeData();
    return data != nullptr && data->hasUrls() ? LocalFilesOf(data->urls()) : QStringList();
  }
  void Hot(bool hot) {
    if (widget_.isNull() || widget_->Control() == nullptr) return;
    if (hot)
      EnterControl(*widget_->Control());
    else
      LeaveControl(*widget_->Control());
  }

  const QObject* watched_;
  QPointer<ControlWidget> widget_;
  TFilesDroppedEvent handler_;
};

}  // namespace

QStringList LocalFilesOf(const QList<QUrl>& urls) {
  QStringList files;
  for (const QUrl& url : urls) {
    if (!url.isLocalFile() || url.toLocalFile().isEmpty()) return {};
    // The system's own separators: a Windows program is handed C:\a\b.txt.
    files << QDir::toNativeSeparators(url.toLocalFile());
  }
  return files;
}

void AcceptFileDrops(TControl& control, TFilesDroppedEvent handler) {
  auto* widget = static_cast<ControlWidget*>(NativeWidget(control));
  if (auto* existing = widget->findChild<FileDropFilter*>(QString(), Qt::FindDirectChildrenOnly)) {
    existing->SetHandler(std::move(handler));
    return;
  }
  widget->setAcceptDrops(true);
  widget->installEventFilter(new FileDropFilter(*widget, std::move(handler)));
}

}  // namespace mirto
