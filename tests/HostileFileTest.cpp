// Paths that are not regular files: refused at once with the system's reason, never waited on.

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct HostileCase {
    const char* name;
    std::string (*make)(const CScratchFolder&);
    const char* reason;
};

std::string Fifo(const CScratchFolder& folder)
{
    const std::string path = folder.Path("fifo").string();
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
}
std::string Zero(const CScratchFolder&) { return "/dev/zero"; }
std::string Folder(const CScratchFolder& folder) { return folder.Path("").string(); }

class HostileFileTest : public testing::TestWithParam<HostileCase>, protected DocFixture {};

// Opened, it is refused and the document stays; stored, the load fails at once with the reason.
TEST_P(HostileFileTest, RefusedWhenOpenedAndFailedWhenStored)
{
    const std::string hostile = GetParam().make(folder);
    Open(folder.Write("log", "96/12/20 10:00:00  OUT00:01:40      100 0\r\n"), 20, k1996Dec20);
    EXPECT_FALSE(doc->OnOpenDocument(hostile));
    EXPECT_EQ(doc->GetDayYen(29), 100);
    EXPECT_FALSE(doc->IsLoadFailed());

    sink.messages.clear();
    Open(hostile, 20, k1996Dec20);
    EXPECT_TRUE(doc->IsLoadFailed());
    EXPECT_EQ(doc->GetLoadError(), GetParam().reason);
    EXPECT_EQ(sink.FirstLines(), std::vector<std::string>{CPeloraDoc::kOpenFailedMessage});
    EXPECT_EQ(doc->HasChargeFileChanged(), CPeloraDoc::FileChange::Unreadable);
}

INSTANTIATE_TEST_SUITE_P(Document, HostileFileTest,
                         testing::Values(HostileCase{"Fifo", Fifo, "not a regular file"},
                                         HostileCase{"DevZero", Zero, "not a regular file"},
                                         HostileCase{"Directory", Folder, "Is a directory"}),
                         [](const auto& info) { return std::string(info.param.name); });
} // namespace
