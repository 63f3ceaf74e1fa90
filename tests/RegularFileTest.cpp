#include "TestSupport.h"
#include "platform/core/RegularFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
// A regular file is replaced whole, through a link, leaving nothing beside it. A FIFO would block
// the writer and a device never takes the whole: both refused and left as they are.
TEST(WholeFile, ReplacesOnlyRegularFilesAndLeavesNothingElse)
{
    CScratchFolder folder;
    const std::string target = folder.Write("out.png", "old");
    std::filesystem::create_symlink(target, folder.Path("link.png"));
    std::string error;
    ASSERT_TRUE(WriteWholeFile(folder.Path("link.png").string(), "new", error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.png")));
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_TRUE(WriteWholeFile(folder.Path("fresh.png").string(), "png", error));
    EXPECT_EQ(ReadFile(folder.Path("fresh.png")), "png");

    ASSERT_EQ(::mkfifo(folder.Path("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/full", folder.Path("full.png"));
    for (const char* name : {"fifo", "full.png"}) {
        EXPECT_FALSE(WriteWholeFile(folder.Path(name).string(), "png", error)) << name;
        EXPECT_EQ(error, kNotRegularFileText);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(folder.Path("fifo")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 5); // no partial file
    EXPECT_FALSE(WriteWholeFile(folder.Path("no/such/folder.png").string(), "png", error));
    EXPECT_FALSE(error.empty());
}
} // namespace
