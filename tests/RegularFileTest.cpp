#include "TestSupport.h"
#include "platform/core/RegularFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
std::string Content(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(WholeFile, ReplacesARegularFileThroughItsLinkAndLeavesNothingElse)
{
    CScratchFolder folder;
    const std::string target = folder.Write("out.png", "old");
    std::filesystem::create_symlink(target, folder.Path("link.png"));
    std::string error;
    ASSERT_TRUE(WriteWholeFile(folder.Path("link.png").string(), "new", error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.png")));
    EXPECT_EQ(Content(target), "new");
    EXPECT_TRUE(WriteWholeFile(folder.Path("fresh.png").string(), "png", error));
    EXPECT_EQ(Content(folder.Path("fresh.png")), "png");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 3);
}

// A FIFO would block the writer, a device never takes the whole: both refused, both left as they are.
TEST(WholeFile, NeverReplacesWhatIsNotARegularFile)
{
    CScratchFolder folder;
    ASSERT_EQ(::mkfifo(folder.Path("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/full", folder.Path("full.png"));
    std::string error;
    for (const char* name : {"fifo", "full.png"}) {
        EXPECT_FALSE(WriteWholeFile(folder.Path(name).string(), "png", error)) << name;
        EXPECT_EQ(error, kNotRegularFileText);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(folder.Path("fifo")));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
    EXPECT_FALSE(WriteWholeFile(folder.Path("no/such/folder.png").string(), "png", error));
    EXPECT_FALSE(error.empty());
}
} // namespace
