#include "../TestSupport.h"
#include "platform/gui/DocTemplate.h"
#include "platform/core/PathText.h"
#include "platform/core/RecentFileList.h"

#include <gtest/gtest.h>

namespace {
// The recent-file list on a plain vector of four stored.
struct RecentSlots {
    std::vector<std::string> stored = std::vector<std::string>(4);
    CRecentFileList list{4, [this](int i) { return stored[static_cast<std::size_t>(i)]; },
                         [this](int i, const std::string& path) { stored[static_cast<std::size_t>(i)] = path; }};
};

TEST(RecentFileListTest, KeepsFourNewestFirstEachOnce)
{
    RecentSlots recent;
    for (const char* path : {"a", "b", "c", "b", "d", "e"})
        recent.list.Add(path);
    EXPECT_EQ(recent.list.Files(), (std::vector<std::string>{"e", "d", "b", "c"}));
    recent.list.WriteList();
    EXPECT_EQ(recent.stored, (std::vector<std::string>{"e", "d", "b", "c"}));
}

class DocTemplateTest : public testing::Test, protected DocFixture {
protected:
    RecentSlots recent;
    CSingleDocTemplate docTemplate{[this] { return std::make_unique<CPeloraDoc>(profile, clock, sink); },
                                   [](CDocument&) { return std::make_unique<QMainWindow>(); },
                                   recent.list};

    CPeloraDoc& Doc() { return static_cast<CPeloraDoc&>(*docTemplate.GetDocument()); }
};

TEST_F(DocTemplateTest, NameThatIsNotUtf8OpensUnderItsOwnBytes)
{
    clock.Set(LocalNoon({1996, 12, 20}));
    const std::string path = folder.Write("\x93\x64\x98\x62.log", "96/12/20 10:00:00  OUT00:01:40      100 0\r\n");
    ASSERT_TRUE(docTemplate.OpenDocumentFile(DecodePath(path)));
    EXPECT_EQ(Doc().GetLogPath(), path);
    EXPECT_EQ(Doc().GetDayYen(29), 100);
}

TEST_F(DocTemplateTest, RefusedOpenIsAFailedOpen)
{
    clock.Set(LocalNoon({1996, 12, 20}));
    const std::string good = folder.Write("log", "96/12/20 10:00:00  OUT00:01:40      100 0\r\n");
    std::filesystem::create_directories(folder.Path(std::string(200, 'a')));
    const std::string overlong = folder.Write(std::string(200, 'a') + "/" + std::string(100, 'b'),
                                              "96/12/20 10:00:00  OUT00:01:40      900 0\r\n");
    ASSERT_TRUE(docTemplate.OpenDocumentFile(QString::fromStdString(good)));

    EXPECT_FALSE(docTemplate.OpenDocumentFile(QString::fromStdString(overlong)));
    EXPECT_EQ(Doc().GetPathName(), good);
    EXPECT_EQ(Doc().GetLogPath(), good);
    EXPECT_EQ(Doc().GetDayYen(29), 100);
    EXPECT_EQ(recent.list.Files(), std::vector<std::string>{good});
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find(CPeloraDoc::kPathTooLongMessage), std::string::npos);
}
} // namespace
