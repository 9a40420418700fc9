#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kx9 {

inline QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string toStd(const QString &s)
{
    return s.toStdString();
}

} // namespace kx9
