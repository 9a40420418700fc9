#include "Document.h"

#include "ChannelConversion.h"
#include "RadioType.h"
#include "TextFormat.h"
#include "Texts.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx9 {

namespace {

std::string reason(int error)
{
    return std::strerror(error);
}

// Reads up to size bytes; fewer only at the end of the file. -1 on error.
ssize_t readFully(int fd, std::uint8_t *data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

bool writeFully(int fd, const std::uint8_t *data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A name in the target's folder that no other save of this process uses.
std::string temporaryName(const std::string &path, int attempt)
{
    static std::atomic<unsigned> counter{0};
    const std::string folder = folderOf(path);
    const auto slash = path.rfind('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "/." + base + ".kx9-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter++) + "-" + std::to_string(attempt) + ".tmp";
}

FileResult failure(FileError error, const TextPair &pattern, Language language,
                   std::initializer_list<std::string_view> args)
{
    return {error, fillIn(pattern.in(language), args)};
}

} // namespace

Document::Document()
{
    newDocument(Language::English);
}

void Document::newDocument(Language language)
{
    m_image = newDocumentImage();
    m_table.clear();
    m_table.setHeaders(language);
    fillNewDocumentTable(m_table, language);
    m_selectors = newDocumentSelectors(m_image);
    m_currentType = m_selectors.type;
    m_newDocument = true;
    markClean();
}

FileResult Document::open(const std::string &path, Language language)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return failure(FileError::CannotOpen, text::kCannotOpenFile, language,
                       {path, reason(errno)});
    }
    ChannelImage loaded;
    const ssize_t n = readFully(fd, loaded.bytes().data(), kChannelFileSize);
    const int readError = errno;
    ::close(fd);
    if (n < 0) {
        return failure(FileError::CannotOpen, text::kCannotOpenFile, language,
                       {path, reason(readError)});
    }
    if (static_cast<std::size_t>(n) < kChannelFileSize) {
        return failure(FileError::TooShort, text::kFileTooShort, language,
                       {path, std::to_string(n)});
    }
    m_image = loaded;
    m_table.setHeaders(language);
    refillTableFromImage(language);
    m_newDocument = false;
    markClean();
    return {};
}

FileResult Document::save(const std::string &path, Language language)
{
    writeTableToImage();

    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = temporaryName(path, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return failure(FileError::CannotWrite, text::kCannotWriteFile, language,
                       {path, reason(errno)});
    }
    // A file being replaced keeps its permissions.
    struct stat old = {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    const bool written =
        writeFully(fd, m_image.bytes().data(), kChannelFileSize) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temp.c_str());
        return failure(FileError::CannotWrite, text::kCannotWriteFile, language,
                       {path, reason(written ? errno : writeError)});
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temp.c_str());
        return failure(FileError::CannotWrite, text::kCannotWriteFile, language,
                       {path, reason(renameError)});
    }
    // Make the rename itself durable.
    const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    markClean();
    return {};
}

bool Document::selectType(int type, Language language)
{
    m_selectors.type = type;
    return changeType(m_table, m_currentType, type, language);
}

ChannelImage Document::imageAsSaved() const
{
    ChannelImage copy = m_image;
    tableToImage(m_table, m_selectors, copy);
    return copy;
}

bool Document::isModified() const
{
    return imageAsSaved() != m_clean;
}

void Document::markClean()
{
    m_clean = imageAsSaved();
}

void Document::replaceImage(const ChannelImage &image, Language language)
{
    m_image = image;
    refillTableFromImage(language);
}

void Document::refillTableFromImage(Language language)
{
    m_selectors = imageToTable(m_image, m_table, language);
    m_currentType = m_selectors.type;
}

void Document::writeTableToImage()
{
    tableToImage(m_table, m_selectors, m_image);
}

} // namespace kx9
