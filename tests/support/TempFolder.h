#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace kx9::test {

// A new folder under the temporary folder, made exclusively so that a name
// planted there is never used; readable by others, as a plain mkdir leaves it.
inline std::filesystem::path freshTempFolder(const std::string &stem)
{
    namespace fs = std::filesystem;
    std::string dir = (fs::temp_directory_path() / ("kx9-" + stem + "-XXXXXX")).string();
    if (::mkdtemp(dir.data()) == nullptr)
        throw fs::filesystem_error("mkdtemp", dir, std::error_code(errno, std::generic_category()));
    fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
    return dir;
}

// Each test in a fresh folder of its own, removed afterwards.
class TempFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        m_dir = freshTempFolder(name);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string path(const char *name) const { return (m_dir / name).string(); }

    std::filesystem::path m_dir;
};

inline std::string slurp(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<std::uint8_t> readBytes(const std::filesystem::path &path)
{
    const std::string bytes = slurp(path);
    return {bytes.begin(), bytes.end()};
}

// Writes a test file whole: text, or bytes.
inline void writeFile(const std::filesystem::path &path, std::string_view text)
{
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
}
inline void writeFile(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes)
{
    writeFile(path, std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
}

inline std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

} // namespace kx9::test
