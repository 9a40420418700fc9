#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace kx9::test {

// Each test in a fresh folder of its own, removed afterwards.
class TempFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        m_dir = std::filesystem::temp_directory_path() /
                ("kx9-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
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
