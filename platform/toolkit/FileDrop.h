#pragma once

// Files dragged from the file manager onto a control. The control takes a
// drag only when everything in it is a local file (a web address or text is
// refused, and the pointer says so); while it could drop, the control shows
// its pointer-over look.

#include <QList>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace mirto {

class TControl;

// Called with the dropped files' full names, in the order of the drag.
using TFilesDroppedEvent = std::function<void(TControl& control, const QStringList& files)>;

// Lets control take drops of local files; handler runs after each drop (it
// may destroy the control). Replaces an earlier handler of the control.
void AcceptFileDrops(TControl& control, TFilesDroppedEvent handler);

// The local files a drag of these addresses carries, or none when any of
// them is not a local file.
QStringList LocalFilesOf(const QList<QUrl>& urls);

}  // namespace mirto
