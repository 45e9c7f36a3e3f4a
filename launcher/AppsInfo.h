#pragma once

// The about window's program list as text: one line per program of the
// collection in release order, newest first.

#include <QString>
#include <QStringList>
#include <span>

namespace mirto {

// For each ID found in the catalog: the product name padded to 41
// characters, a space, the version padded to 5, six spaces and the date,
// lines joined by "\r\n" with no line break after the last. IDs that are not
// in the catalog are left out.
QString AppsInfoText(std::span<const int> programIDs);

// The columns of that list, and the cells of one of its lines under them:
// the version and the date are the line's last two words, the name is what
// stands before them. A line of fewer than three words is all name.
QStringList AppsInfoColumns();
QStringList AppsInfoCells(const QString& line);

}  // namespace mirto
