#include "HelpManual.h"

#include "LanguagePack.h"

#include <QDir>
#include <QFileInfo>

namespace kx9::help {

QString manualName(Language language)
{
    return language == Language::English ? QStringLiteral("help/manual.html")
                                         : QStringLiteral("help/manual_zh.html");
}

QString manualPath(Language language)
{
    const QString name = manualName(language);
    for (const QString &folder : languagepack::searchFolders()) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

} // namespace kx9::help
