#include "HelpManual.h"

#include "LanguagePack.h"

#include <QDir>
#include <QFileInfo>

namespace kx9::help {

namespace {

QString pageName(Language language)
{
    return language == Language::English ? QStringLiteral("help/manual.html")
                                         : QStringLiteral("help/manual_zh.html");
}

} // namespace

QString manualPath(Language language)
{
    const QString name = pageName(language);
    for (const QString &folder : languagepack::searchFolders()) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QUrl manualUrl(Language language)
{
    const QString path = manualPath(language);
    return QUrl::fromLocalFile(
        path.isEmpty() ? QDir(QStringLiteral(KX9_PACK_DIR)).filePath(pageName(language)) : path);
}

} // namespace kx9::help
