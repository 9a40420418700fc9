#pragma once

#include <QString>

#include <ostream>

// Texts in a failed comparison read as text, not as bytes.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
