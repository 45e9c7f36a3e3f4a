#pragma once

// Readable GoogleTest output for Qt value types.

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
