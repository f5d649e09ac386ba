#include "core/textfile.h"
#include "tempappdir.h"
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

using namespace corvane;
namespace fs = std::filesystem;

namespace {

class TextFile : public ::testing::Test {
protected:
    void TearDown() override {
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
    }
    corvane::testing::TempAppDir dir;
    const fs::path m_dir = dir.path();
};

} // namespace

TEST_F(TextFile, AtomicReplaceReplacesContentsWholeAndAFailedWriteLeavesTheOldFileIntact) {
    const fs::path file = m_dir / "MOD.txt";
    ASSERT_TRUE(atomicReplace(file, "old\r\n"));
    ASSERT_TRUE(atomicReplace(file, "keep me\r\n"));
    EXPECT_EQ(readFile(file), "keep me\r\n");
    EXPECT_FALSE(fs::exists(file.string() + ".saving"));
    // A directory where the temporary file would go makes the write fail.
    fs::create_directory(file.string() + ".saving");
    fs::create_directory(file.string() + ".saving/x");
    std::string error;
    EXPECT_FALSE(atomicReplace(file, "lost\r\n", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readFile(file), "keep me\r\n");
}

TEST_F(TextFile, AtomicReplaceReadOnlyDirectoryFailsWithoutTouchingFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
    const fs::path file = m_dir / "Levels.txt";
    ASSERT_TRUE(atomicReplace(file, "2\r\n"));
    fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(atomicReplace(file, "3\r\n"));
    EXPECT_EQ(readFile(file), "2\r\n");
}

TEST_F(TextFile, AppendLineAppendsWithCrLfAndFailsWithoutDirectory) {
    const fs::path file = m_dir / "Server.txt";
    EXPECT_TRUE(appendLine(file, "one"));
    EXPECT_TRUE(appendLine(file, "two"));
    EXPECT_EQ(readFile(file), "one\r\ntwo\r\n");
    EXPECT_FALSE(appendLine(m_dir / "missing" / "Server.txt", "three"));
}

TEST(SplitLines, AcceptsEveryLineEnd) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(splitLines("").empty());
}

// Long lines put block ends inside lines and inside CR LF pairs; short ones
// put many lines in a block. Asking for more lines than the file has gives all;
// a missing file is reported.
TEST_F(TextFile, LastLinesTheTailMatchesAFullRead) {
    std::string longLines, shortLines;
    for (int i = 0; i < 200; ++i)
        longLines +=
            std::string(static_cast<std::size_t>(1000 + i), static_cast<char>('a' + i % 26)) +
            "\r\n";
    for (int i = 1; i <= 20000; ++i)
        shortLines += "line " + std::to_string(i) + "\r\n";
    const std::string splitPair = // CR LF split by a block end where the wanted lines begin
        "zz\r\nww" + std::string(8191, 'y') + "\r\n" + std::string(8189, 'x') + "\r\n";
    for (const std::string& text : {longLines, shortLines, splitPair, std::string("x")}) {
        dir.write("Server.txt", text);
        const fs::path file = dir.file("Server.txt");
        const auto all = splitLines(text);
        for (std::size_t n : {1u, 2u, 7u, 51u, 199u, 200u, 500u}) {
            const auto tail = readLastLines(file, n);
            ASSERT_TRUE(tail);
            const std::size_t k = std::min<std::size_t>(n, all.size());
            EXPECT_EQ(*tail, std::vector<std::string>(all.end() - static_cast<long>(k), all.end()))
                << n;
        }
    }
    EXPECT_FALSE(readLastLines(m_dir / "none.txt", 5));
}
