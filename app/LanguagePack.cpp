#include "LanguagePack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace kx9::languagepack {

namespace {

struct State
{
    QStringList folders; // empty: the default folders
    QPointer<QTranslator> pack;
    QPointer<QTranslator> qtTexts; // Qt's own dialogs, in the pack's language
};

State &state()
{
    static State s;
    return s;
}

// Qt's own dialogs (files, printing, the standard buttons) follow the pack
// where Qt's translations are installed; without them they stay English.
void loadQtTexts(const std::string &tag)
{
    if (state().qtTexts) {
        QCoreApplication::removeTranslator(state().qtTexts);
        delete state().qtTexts;
    }
    if (!tag.ends_with("_CH"))
        return;
    auto *texts = new QTranslator(QCoreApplication::instance());
    if (!texts->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete texts;
        return;
    }
    QCoreApplication::installTranslator(texts);
    state().qtTexts = texts;
}

} // namespace

QStringList searchFolders()
{
    if (!state().folders.isEmpty())
        return state().folders;
    const QString programs = QCoreApplication::applicationDirPath();
    QStringList folders{
        programs, QDir::cleanPath(QDir(programs).filePath(QStringLiteral(KX9_PACK_FROM_BIN)))};
    if (!folders.contains(QStringLiteral(KX9_PACK_DIR)))
        folders << QStringLiteral(KX9_PACK_DIR);
    return folders;
}

void setSearchFolders(const QStringList &folders)
{
    state().folders = folders;
}

QString packPath(const std::string &tag)
{
    const QString name = QString::fromStdString(tag) + QStringLiteral(".qm");
    for (const QString &folder : searchFolders()) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

bool load(const std::string &tag)
{
    const QString path = packPath(tag);
    if (path.isEmpty())
        return false;
    // Owned by the application, so it goes before the application does.
    auto *pack = new QTranslator(QCoreApplication::instance());
    if (!pack->load(path)) {
        delete pack;
        return false;
    }
    if (state().pack) {
        QCoreApplication::removeTranslator(state().pack);
        delete state().pack;
    }
    QCoreApplication::installTranslator(pack);
    state().pack = pack;
    loadQtTexts(tag);
    return true;
}

QString loadedPack()
{
    return state().pack ? QFileInfo(state().pack->filePath()).fileName() : QString();
}

} // namespace kx9::languagepack
