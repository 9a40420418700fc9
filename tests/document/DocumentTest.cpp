#include "Document.h"
#include "ChannelConversion.h"
#include "RadioType.h"
#include "ReadFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <iterator>
#include <sys/resource.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace kx9 {
namespace {

namespace fs = std::filesystem;

using test::readBytes;

using DocumentTest = test::TempFolderTest;

// Only a file of exactly 4096 bytes is a channel file: anything else (a PDF,
// a longer dump) must never reach the table or, restored, the radio. A failed
// open keeps the document as it was and says why.
TEST_F(DocumentTest, OnlyAFileOfExactly4096BytesOpensAndAFailedOpenKeepsEverything)
{
    Document doc;
    doc.newDocument(Language::English);
    doc.editCells({{1, kColName, "KEEP"}});
    const ChannelImage image = doc.image();
    const auto refused = [&](const std::string &file, FileError error, const std::string &why) {
        const FileResult r = doc.open(file, Language::English);
        EXPECT_EQ(r.error, error) << file;
        EXPECT_EQ(r.message, why);
    };
    for (const std::size_t size : {std::size_t{0}, std::size_t{100}, std::size_t{4095},
                                   std::size_t{4097}, std::size_t{8192}}) {
        std::vector<std::uint8_t> bytes(size, 0x25);
        std::copy_n(image.bytes().begin(), std::min(size, kImageSize), bytes.begin());
        const std::string file = path(("f" + std::to_string(size) + ".sin").c_str());
        test::writeFile(file, bytes);
        refused(file, FileError::WrongSize,
                file + " is not a channel file: it holds " + std::to_string(size) +
                    " bytes, a channel file exactly 4096");
        const ChannelFile raw = readChannelFile(file, Language::Chinese);
        EXPECT_EQ(raw.result.error, FileError::WrongSize);
        EXPECT_NE(raw.result.message.find(std::to_string(size) + " 字节"), std::string::npos);
    }
    refused(path("missing.sin"), FileError::CannotOpen,
            "cannot open " + path("missing.sin") + ": No such file or directory");
    refused(m_dir.string(), FileError::CannotOpen,
            "cannot open " + m_dir.string() + ": Is a directory");
    EXPECT_EQ(std::tuple(doc.image(), doc.table().cell(1, kColName), doc.isNewDocument()),
              std::tuple(image, "KEEP", true));

    test::writeFile(path("exact.sin"),
                    std::vector<std::uint8_t>(image.bytes().begin(), image.bytes().end()));
    EXPECT_EQ(readChannelFile(path("exact.sin"), Language::English).image, image);
}

// A write that fails half-way (here: the file size limit of the process,
// which holds even for root) must leave the old file and no temporary file.
TEST_F(DocumentTest, FailedSaveLeavesTheOldFileAndNoTemporaryFile)
{
    Document doc;
    doc.newDocument(Language::English);
    ASSERT_TRUE(doc.save(path("keep.sin")));
    const auto before = readBytes(path("keep.sin"));

    doc.editCells({{1, kColReceive, ""}});
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    rlimit small = oldLimit;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileResult r = doc.save(path("keep.sin"));
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(r.error, FileError::CannotWrite);
    EXPECT_EQ(r.message, "cannot write " + path("keep.sin") + ": File too large");
    EXPECT_EQ(readBytes(path("keep.sin")), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DocumentTest, ModifiedFollowsWhatASaveWouldStore)
{
    Document doc;
    doc.newDocument(Language::English);
    EXPECT_TRUE(doc.isNewDocument());
    EXPECT_FALSE(doc.isModified());
    doc.editCells({{3, kColName, "X"}});
    EXPECT_TRUE(doc.isModified());
    doc.editCells({{3, kColName, ""}});
    EXPECT_FALSE(doc.isModified()); // undone by hand

    ChannelImage settings = doc.image();
    settings.setSquelch(7);
    doc.acceptOptions(settings);
    EXPECT_TRUE(doc.isModified());
    doc.editCells({{2, kColName, "AB"}});
    ASSERT_TRUE(doc.save(path("m.sin")));
    EXPECT_FALSE(doc.isModified());

    // Opened, the file is clean and shown in the language asked.
    Document opened;
    ASSERT_TRUE(opened.open(path("m.sin"), Language::Chinese));
    const ChannelTable &t = opened.table();
    EXPECT_EQ(std::tuple(opened.isNewDocument(), opened.isModified(), t.cell(2, kColName),
                         t.cell(1, kColPower), t.cell(0, kColName)),
              std::tuple(false, false, "AB", "高", "名称"));

    // Switching the language of the flag texts stores the same bits.
    doc.translateCellTexts(Language::English, Language::Chinese);
    EXPECT_FALSE(doc.isModified());

    EXPECT_TRUE(doc.selectType(kTypePmr, Language::English));
    EXPECT_EQ(std::tuple(doc.isModified(), doc.currentType(), doc.table().cell(99, kColLabel)),
              std::tuple(true, kTypePmr, "CH-P99"));

    ChannelImage read = doc.image();
    read.setRadioIdentity(0x42);
    doc.acceptRead(read, Language::English);
    EXPECT_EQ(std::tuple(doc.isModified(), doc.currentType()), std::tuple(false, kTypePmrLpd));
}

// The bound every reader relies on: a file of exactly the limit is whole, one
// byte more is cut there and said to hold more.
TEST_F(DocumentTest, ReadsUpToTheLimitAndSaysWhenTheFileHoldsMoreOrWhyNot)
{
    // {size, bytes kept, more}
    for (const auto &[size, kept, more] : {std::tuple<std::size_t, std::size_t, bool>{0, 0, false},
                                           {9, 9, false},
                                           {10, 10, false},
                                           {11, 10, true},
                                           {200000, 10, true}}) {
        test::writeFile(path("f"), std::string(size, 'x'));
        const ReadFileResult r = readFile(path("f"), 10);
        EXPECT_EQ(std::tuple(r.ok(), r.data.size(), r.more), std::tuple(true, kept, more)) << size;
    }
    EXPECT_EQ(readFile(path("none"), 10).error, ENOENT);
}

} // namespace
} // namespace kx9
