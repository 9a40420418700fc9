#pragma once

#include "ChannelImage.h"
#include "ChannelTable.h"
#include "EditHistory.h"
#include "EditRules.h"
#include "Language.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kx9 {

// A channel file holds exactly the image bytes, no header.
inline constexpr std::size_t kChannelFileSize = kImageSize;

enum class FileError { None, CannotOpen, WrongSize, CannotWrite };

struct FileResult
{
    FileError error = FileError::None;
    // Ready to show, in the language the operation was given.
    std::string message;
    explicit operator bool() const { return error == FileError::None; }
};

// A channel file's bytes as they are, for a restore; a file that is not
// exactly kChannelFileSize bytes is refused, naming its size.
struct ChannelFile
{
    FileResult result;
    ChannelImage image;
};
ChannelFile readChannelFile(const std::string &path, Language language);

// The one document of the program: the image, the channel table that the
// grid mirrors, the three selectors and the current radio type index, shared
// by the desktop program and kx9-cli. Nothing else changes it: each kind of
// change has its own method, and those that the user made are undo steps
// holding only the cells and bytes they changed.
class Document
{
public:
    Document();

    // The default image, the "PMR+LPD" default table and the selectors read
    // from the new image. Sets the new-document flag.
    void newDocument(Language language);
    // Loads a channel file and fills the table from it, messages in
    // language, the table in tableLanguage. On failure (a file that is not
    // exactly 4096 bytes among them) nothing of the document changes.
    FileResult open(const std::string &path, Language language);
    FileResult open(const std::string &path, Language language, Language tableLanguage);
    // Writes the table into the image, then the image into the file through a
    // temporary file in the same folder renamed over the target, so that a
    // failed save leaves the old file as it was.
    FileResult save(const std::string &path, Language language = Language::English);

    // The changes a user makes, each one undo step; false when nothing changed.
    // Cells the editing rules decided (a typed value, a list choice).
    bool editCells(const std::vector<CellEdit> &edits);
    // The channel cells of a table made from this one (an import, a paste, a
    // clear, an insert, delete or move of channels).
    bool replaceChannels(const ChannelTable &table);
    // Selecting a type in the type selector (refills the table when the type
    // differs from the current one). Returns true when the table was refilled.
    bool selectType(int type, Language language);
    // The radio-wide settings dialog's OK: its bytes of the edited image.
    bool acceptOptions(const ChannelImage &edited);
    // A completed read from the radio: image and table replaced, as on Open,
    // and the document clean; undo brings back what was there before.
    void acceptRead(const ChannelImage &image, Language language);
    // An image taken as a new, unsaved document (a backup opened): image and
    // table replaced, the history cleared, the new-document flag set.
    void openImageAsNew(const ChannelImage &image, Language language);
    // A power calibration value the radio reported (no undo step, see there).
    void storeCalibration(std::size_t offset, std::uint8_t value);

    // The table written into a copy of the image (TableToImage): the bytes
    // every save and every write of the document sends, the document left
    // as it is.
    ChannelImage imageAsSaved() const;

    // True when a save now would store other bytes than the last New, Open,
    // Save or read left: edits that were undone do not count.
    bool isModified() const;

    // The language switch: the header row and the flag cells of the channel
    // rows and of the undo history from one language into the other. Image
    // and modified state stay as they are.
    void translateCellTexts(Language from, Language to);

    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    // False when there was nothing to undo or redo.
    bool undo();
    bool redo();

    const ChannelImage &image() const { return m_image; }
    const ChannelTable &table() const { return m_table; }
    const Selectors &selectors() const { return m_selectors; }
    int currentType() const { return m_currentType; }
    bool isNewDocument() const { return m_newDocument; }

private:
    ChannelImage m_image;
    ChannelTable m_table;
    Selectors m_selectors;
    int m_currentType = 2;
    bool m_newDocument = false;
    ChannelImage m_clean;
    EditHistory m_history;

    // Rows 1-128 and the selectors from the image (ImageToTable).
    void refillTableFromImage(Language language);

    DocumentState state() const;
    void setState(const DocumentState &state);
    // One undo step for all that changed since before; false when nothing did.
    bool recordStep(const DocumentState &before);
    void markClean();
};

} // namespace kx9
