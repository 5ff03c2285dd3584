// The real disk under awkward names and failures: nothing is lost, nothing half-written stays
// behind, and every failure carries the system's reason.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/path_text.h"

#include "common/file_system.h"

namespace kw {
namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kOverReadLimit = (std::uintmax_t{64} << 20) + 1;  // [bytes]

class LocalFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kernwijs_lfs_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir, ignored);
    }

    static std::string readAll(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Names in the folder; a stray temporary file of a failed write would show up here.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
    LocalFileSystem disk;
};

TEST_F(LocalFileSystemTest, TemporaryFilesAreNewEmptyAndPrivateInTheFolderAskedFor) {
    // No folder: the system's folder for temporary files.
    for (const std::string& folder : {std::string(), dir.string()}) {
        const fs::path expected = folder.empty() ? fs::temp_directory_path() : dir;
        std::string error;
        const auto first = disk.createTemporaryFile(folder, "kernwijs-test-", ".ps", error);
        const auto second = disk.createTemporaryFile(folder, "kernwijs-test-", ".ps", error);
        ASSERT_TRUE(first && second) << error;
        EXPECT_NE(*first, *second);
        for (const std::string& made : {*first, *second}) {
            EXPECT_EQ(fs::path(made).parent_path(), expected);
            EXPECT_TRUE(made.ends_with(".ps")) << made;
            EXPECT_EQ(FileOnly(made).substr(0, 14), "kernwijs-test-");
            EXPECT_EQ(fs::file_size(made), 0u);
            EXPECT_EQ(fs::status(made).permissions() & fs::perms::all,
                      fs::perms::owner_read | fs::perms::owner_write);
            fs::remove(made);
        }
    }
    std::string error;
    EXPECT_FALSE(disk.createTemporaryFile((dir / "missing").string(), "x-", "", error));
    EXPECT_EQ(error, std::strerror(ENOENT));
}

TEST_F(LocalFileSystemTest, NamesWithBlanksQuotesAndAccentsWorkForEveryOperation) {
    const fs::path folder = dir / "Mijn kernen 'oud' \"2024\" \xC3\x98 \xC2\xB5";
    fs::create_directories(folder);
    const std::string file = (folder / "ring (1) caf\xC3\xA9 *?.tor").string();

    ASSERT_TRUE(disk.writeFileAtomic(file, "[KERNWIJS]\r\n").ok);
    EXPECT_TRUE(disk.fileExists(file));
    EXPECT_EQ(disk.readFile(file).bytes, "[KERNWIJS]\r\n");
    EXPECT_EQ(disk.findFileAnyCase(folder.string(), "RING (1) CAF\xC3\xA9 *?.TOR"), file);
    ASSERT_TRUE(disk.removeFile(file).ok);
    EXPECT_FALSE(disk.fileExists(file));
}

TEST_F(LocalFileSystemTest, AFailedWriteKeepsTheEarlierFileAndLeavesNothingBehind) {
    const fs::path file = dir / "ring.tor";
    std::ofstream(file) << "earlier";
    fs::create_directories(dir / "a folder");

    struct Case {
        fs::path target;
        std::string reason;
    };
    const Case cases[] = {
        {dir / "missing folder" / "ring.tor", "No such file or directory"},
        {dir / "a folder", "Is a directory"},
        {dir / "ring.tor" / "inside.tor", "Not a directory"},
    };
    for (const auto& c : cases) {
        const WriteResult r = disk.writeFileAtomic(c.target.string(), "new text");
        EXPECT_FALSE(r.ok) << c.target;
        EXPECT_EQ(r.error, c.reason) << c.target;
    }
    EXPECT_EQ(readAll(file), "earlier");
    EXPECT_EQ(entries(), (std::vector<std::string>{"a folder", "ring.tor"}));
}

TEST_F(LocalFileSystemTest, AReadOnlyFolderKeepsTheEarlierFile) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders; the fake file system covers this";
    }
    const fs::path file = dir / "ring.tor";
    std::ofstream(file) << "earlier";
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    const WriteResult r = disk.writeFileAtomic(file.string(), "new text");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Permission denied");
    EXPECT_EQ(readAll(file), "earlier");
}

TEST_F(LocalFileSystemTest, AFileThatVanishedOrIsNoOrdinaryFileIsRefusedWithTheReason) {
    const fs::path fifo = dir / "pipe.tor";
    ASSERT_EQ(::mkfifo(fifo.c_str(), S_IRUSR | S_IWUSR), 0);
    const fs::path huge = dir / "huge.tor";
    std::ofstream(huge).put('x');
    fs::resize_file(huge, kOverReadLimit);  // sparse: costs no disk space

    struct Case {
        fs::path file;
        std::string reason;
    };
    const Case cases[] = {
        {dir / "vanished.tor", "No such file or directory"},
        {dir, "Is a directory"},
        {fifo, "Not a regular file"},         // would block until someone writes into it
        {"/dev/zero", "Not a regular file"},  // would never end
        {huge, "File too large"},
    };
    for (const auto& c : cases) {
        const ReadResult r = disk.readFile(c.file.string());
        EXPECT_FALSE(r.ok) << c.file;
        EXPECT_EQ(r.error, c.reason) << c.file;
        EXPECT_TRUE(r.bytes.empty()) << c.file;
    }
}

TEST_F(LocalFileSystemTest, ADeviceIsWrittenIntoAndNeverReplacedByAFile) {
    if (!fs::is_character_file("/dev/full") || !fs::is_character_file("/dev/null")) {
        GTEST_SKIP() << "no /dev/full or /dev/null here";
    }
    const WriteResult full = disk.writeFileAtomic("/dev/full", "a whole sheet");
    EXPECT_FALSE(full.ok);
    EXPECT_EQ(full.error, "No space left on device");
    EXPECT_TRUE(disk.writeFileAtomic("/dev/null", "a whole sheet").ok);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(LocalFileSystemTest, WritingThroughALinkReplacesTheLinkedFileAndKeepsTheLink) {
    fs::create_directories(dir / "sheets");
    const fs::path real = dir / "sheets" / "ring.tor";
    std::ofstream(real) << "earlier";
    const fs::path link = dir / "ring.tor";
    fs::create_symlink(real, link);

    ASSERT_TRUE(disk.writeFileAtomic(link.string(), "new text").ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readAll(real), "new text");
    EXPECT_EQ(entries(), (std::vector<std::string>{"ring.tor", "sheets"}));
}

}  // namespace
}  // namespace kw
