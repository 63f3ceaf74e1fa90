#include "TestSupport.h"
#include "platform/core/RegularFile.h"

#include <functional>
#include <gtest/gtest.h>
#include <fcntl.h>
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

#ifdef __linux__
// A log read after every append keeps the access time it had, so reading it writes nothing to the
// disk: here one last accessed long before its last write, which a plain read moves on.
TEST(OpenRegularFile, LeavesTheAccessTimeAsItWas)
{
    CScratchFolder folder;
    const std::string log = folder.Write("charge.log", "26/12/08 10:00:00  OUT00:01:40      100 0\n");
    const auto readAndGetAccessTime = [&](std::FILE* file) {
        char byte = 0;
        EXPECT_EQ(std::fread(&byte, 1, 1, file), 1u);
        std::fclose(file);
        struct stat info {};
        EXPECT_EQ(::stat(log.c_str(), &info), 0);
        return info.st_atim.tv_sec;
    };
    const timespec longAgo[2] = {{1'000'000'000, 0}, {0, UTIME_OMIT}};
    ASSERT_EQ(::utimensat(AT_FDCWD, log.c_str(), longAgo, 0), 0);
    if (readAndGetAccessTime(std::fopen(log.c_str(), "rb")) == longAgo[0].tv_sec)
        GTEST_SKIP() << "this file system keeps no access times";
    ASSERT_EQ(::utimensat(AT_FDCWD, log.c_str(), longAgo, 0), 0);
    std::string error;
    std::FILE* file = OpenRegularFile(log, error);
    ASSERT_NE(file, nullptr) << error;
    EXPECT_EQ(readAndGetAccessTime(file), longAgo[0].tv_sec);
}
#endif

// The replacement takes a regular file's place or a free one; a FIFO, a link or a folder there
// stays as it was and the replacement goes.
TEST(ReplaceRegularFile, TakesOnlyARegularFilesPlace)
{
    CScratchFolder folder;
    const std::string target = folder.Path("target").string();
    const std::function<void()> places[] = {
        [] {},
        [&] { folder.Write("target", "old"); },
        [&] { ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0); },
        [&] { std::filesystem::create_symlink(folder.Write("elsewhere", "old"), target); },
        [&] { std::filesystem::create_directory(target); }};
    for (std::size_t i = 0; i < std::size(places); ++i) {
        std::filesystem::remove_all(target);
        places[i]();
        const auto kind = std::filesystem::symlink_status(target).type();
        const bool free = kind == std::filesystem::file_type::not_found || kind == std::filesystem::file_type::regular;
        const std::string replacement = folder.Write("new", "new");
        std::string error;
        bool notRegular = true;
        EXPECT_EQ(ReplaceRegularFile(replacement, target, error, notRegular), free) << i;
        EXPECT_EQ(notRegular, !free) << i;
        EXPECT_FALSE(std::filesystem::exists(replacement)) << i;
        if (free)
            EXPECT_EQ(ReadFile(target), "new") << i;
        else
            EXPECT_EQ(std::filesystem::symlink_status(target).type(), kind) << i;
    }
}
} // namespace
