#include "Document.h"
#include "ChannelConversion.h"
#include "GoldenFiles.h"
#include "RadioType.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace kx9 {
namespace {

namespace fs = std::filesystem;

using golden::readBytes;

using DocumentTest = test::TempFolderTest;

TEST_F(DocumentTest, OpenedFileIsCleanAndShownInTheLanguageAsked)
{
    Document doc;
    doc.newDocument(Language::English);
    EXPECT_TRUE(doc.isNewDocument());
    EXPECT_FALSE(doc.isModified());
    doc.editCells({{2, kColName, "AB"}});
    ASSERT_TRUE(doc.save(path("a.sin")));

    Document other;
    ASSERT_TRUE(other.open(path("a.sin"), Language::Chinese));
    EXPECT_FALSE(other.isNewDocument());
    EXPECT_FALSE(other.isModified());
    EXPECT_EQ(other.table().cell(2, kColName), "AB");
    EXPECT_EQ(other.table().cell(1, kColPower), "高");
    EXPECT_EQ(other.table().cell(0, kColName), "名称");
}

TEST_F(DocumentTest, LongerFileLoadsItsFirst4096Bytes)
{
    std::vector<std::uint8_t> bytes(5000, 0x5A);
    const ChannelImage image = newDocumentImage();
    std::copy(image.bytes().begin(), image.bytes().end(), bytes.begin());
    test::writeFile(path("long.sin"), bytes);
    Document doc;
    ASSERT_TRUE(doc.open(path("long.sin"), Language::English));
    EXPECT_EQ(doc.image(), image);
}

TEST_F(DocumentTest, FailedOpenKeepsEverythingAndSaysWhy)
{
    Document doc;
    doc.newDocument(Language::English);
    doc.editCells({{1, kColName, "KEEP"}});
    const ChannelImage image = doc.image();

    test::writeFile(path("short.sin"), std::vector<std::uint8_t>(4095, 0));
    FileResult r = doc.open(path("short.sin"), Language::English);
    EXPECT_EQ(r.error, FileError::TooShort);
    EXPECT_EQ(r.message,
              path("short.sin") + " is too short: 4095 bytes, a channel file holds 4096");

    r = doc.open(path("missing.sin"), Language::English);
    EXPECT_EQ(r.error, FileError::CannotOpen);
    EXPECT_EQ(r.message, "cannot open " + path("missing.sin") + ": No such file or directory");

    r = doc.open(m_dir.string(), Language::English); // a folder cannot be read
    EXPECT_EQ(r.error, FileError::CannotOpen);

    EXPECT_EQ(doc.image(), image);
    EXPECT_EQ(doc.table().cell(1, kColName), "KEEP");
    EXPECT_TRUE(doc.isNewDocument());
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
    doc.editCells({{3, kColName, "X"}});
    EXPECT_TRUE(doc.isModified());
    doc.editCells({{3, kColName, ""}});
    EXPECT_FALSE(doc.isModified()); // undone by hand

    ChannelImage settings = doc.image();
    settings.setSquelch(7);
    doc.acceptOptions(settings);
    EXPECT_TRUE(doc.isModified());
    ASSERT_TRUE(doc.save(path("m.sin")));
    EXPECT_FALSE(doc.isModified());

    // Switching the language of the flag texts stores the same bits.
    doc.refillTableFromImage(Language::Chinese);
    EXPECT_FALSE(doc.isModified());

    EXPECT_TRUE(doc.selectType(kTypePmr, Language::English));
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.currentType(), kTypePmr);
    EXPECT_EQ(doc.table().cell(99, kColLabel), "CH-P99");

    ChannelImage read = doc.image();
    read.setRadioIdentity(0x42);
    doc.acceptRead(read, Language::English);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.currentType(), kTypePmrLpd);
}

} // namespace
} // namespace kx9
