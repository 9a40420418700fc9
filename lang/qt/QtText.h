#pragma once

#include <QCoreApplication>
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

// A text of the menus and dialogs, which the catalogue holds in English
// only: the language pack in force gives its other form. The English text
// is the key, so a missing translation shows the English; "kx9" is the
// context KX9_UI files the marked texts under.
inline QString ui(std::string_view english)
{
    return QCoreApplication::translate("kx9", std::string(english).c_str());
}

} // namespace kx9
