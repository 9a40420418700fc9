#include "Document.h"

#include "CellLanguage.h"
#include "ChannelConversion.h"
#include "RadioType.h"
#include "ReadFile.h"
#include "SafeSave.h"
#include "SafetyTexts.h"
#include "TextFormat.h"
#include "Texts.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace kx9 {

namespace {

// A folder is said in the message's language, as a save says it; any other
// reason in the system's words.
std::string reason(int error, Language language)
{
    return error == EISDIR ? std::string(text::kTargetIsFolder.in(language)) : std::strerror(error);
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
    m_history.clear();
    markClean();
}

ChannelFile readChannelFile(const std::string &path, Language language)
{
    ChannelFile file;
    const ReadFileResult read = readFile(path, kChannelFileSize);
    if (!read.ok()) {
        file.result = failure(FileError::CannotOpen, text::kCannotOpenFile, language,
                              {path, reason(read.error, language)});
        return file;
    }
    // Anything else (a PDF, a longer dump) would go into the radio as if it
    // were channels.
    if (read.more || read.data.size() != kChannelFileSize) {
        std::string size = std::to_string(read.data.size());
        if (read.more) {
            std::error_code error;
            const std::uintmax_t bytes = std::filesystem::file_size(path, error);
            size = error ? fillIn(text::kMoreThan.in(language), {std::to_string(kChannelFileSize)})
                         : std::to_string(bytes);
        }
        file.result = failure(FileError::WrongSize, text::kNotChannelFile, language, {path, size});
        return file;
    }
    std::copy(read.data.begin(), read.data.end(), file.image.bytes().begin());
    return file;
}

FileResult Document::open(const std::string &path, Language language)
{
    return open(path, language, language);
}

FileResult Document::open(const std::string &path, Language language, Language tableLanguage)
{
    const ChannelFile file = readChannelFile(path, language);
    if (!file.result)
        return file.result;
    m_image = file.image;
    m_table.setHeaders(tableLanguage);
    refillTableFromImage(tableLanguage);
    m_newDocument = false;
    m_history.clear();
    markClean();
    return {};
}

FileResult Document::save(const std::string &path, Language language)
{
    const ChannelImage image = imageAsSaved();
    const SafeSaveResult saved = saveFileSafely(path, image.bytes());
    if (!saved) {
        const std::string why = saved.why ? std::string(saved.why->in(language)) : saved.reason;
        return failure(FileError::CannotWrite, text::kCannotWriteFile, language, {path, why});
    }
    // The document now holds what its file holds.
    m_image = image;
    markClean();
    return {};
}

bool Document::editCells(const std::vector<CellEdit> &edits)
{
    const DocumentState before = state();
    for (const CellEdit &edit : edits) {
        m_table.setCell(edit.row, edit.col, edit.text);
    }
    return recordStep(before);
}

bool Document::replaceChannels(const ChannelTable &table)
{
    const DocumentState before = state();
    // Column 0 holds the channel labels of the type, which no edit changes.
    for (int row = 1; row < kTableRows; ++row) {
        for (int col = 1; col < kTableCols; ++col) {
            m_table.setCell(row, col, table.cell(row, col));
        }
    }
    return recordStep(before);
}

bool Document::selectType(int type, Language language)
{
    const DocumentState before = state();
    m_selectors.type = type;
    const bool refilled = changeType(m_table, m_currentType, type, language);
    recordStep(before);
    return refilled;
}

bool Document::acceptOptions(const ChannelImage &edited)
{
    const DocumentState before = state();
    m_image = edited;
    return recordStep(before);
}

void Document::acceptRead(const ChannelImage &image, Language language)
{
    const DocumentState before = state();
    m_image = image;
    refillTableFromImage(language);
    recordStep(before);
    markClean();
}

void Document::openImageAsNew(const ChannelImage &image, Language language)
{
    m_image = image;
    m_table.setHeaders(language);
    refillTableFromImage(language);
    m_newDocument = true;
    m_history.clear();
    markClean();
}

// Not an undo step: the radio stored the value itself while it was tuned, so
// the byte says what the radio holds, and no undo or redo of an edit made
// before or after may take it back. The history forgets the byte; the
// document is modified, so the value reaches the file on the next save.
void Document::storeCalibration(std::size_t offset, std::uint8_t value)
{
    m_image.setByte(offset, value);
    m_history.forgetByte(offset);
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

void Document::refillTableFromImage(Language language)
{
    m_selectors = imageToTable(m_image, m_table, language);
    m_currentType = m_selectors.type;
}

void Document::translateCellTexts(Language from, Language to)
{
    m_table.setHeaders(to);
    translateChannelRows(m_table, from, to);
    m_history.translateCells(from, to);
}

DocumentState Document::state() const
{
    return {m_table, m_selectors, m_currentType, m_image};
}

void Document::setState(const DocumentState &state)
{
    // Row 0 keeps the headers of the language in force.
    for (int row = 1; row < kTableRows; ++row) {
        for (int col = 0; col < kTableCols; ++col) {
            m_table.setCell(row, col, state.table.cell(row, col));
        }
    }
    m_selectors = state.selectors;
    m_currentType = state.currentType;
    m_image = state.image;
}

bool Document::recordStep(const DocumentState &before)
{
    return m_history.push(changeBetween(before, state()));
}

bool Document::undo()
{
    const DocumentChange *change = m_history.takeUndo();
    if (!change) {
        return false;
    }
    DocumentState now = state();
    revertChange(now, *change);
    setState(now);
    return true;
}

bool Document::redo()
{
    const DocumentChange *change = m_history.takeRedo();
    if (!change) {
        return false;
    }
    DocumentState now = state();
    applyChange(now, *change);
    setState(now);
    return true;
}

} // namespace kx9
