#include "TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void AppendTo(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::app | std::ios::binary) << bytes;
}

namespace {
// A file of the process's own under /proc (pid 0: this process).
std::string ProcessFile(std::int64_t pid, const char* name)
{
    return "/proc/" + (pid ? std::to_string(pid) : "self") + "/" + name;
}
} // namespace

std::int64_t BytesRead(std::int64_t pid)
{
    std::string field; // "rchar:", the first line's
    std::int64_t bytes = 0;
    std::ifstream(ProcessFile(pid, "io")) >> field >> bytes;
    return bytes;
}

bool IsReadingFile(std::int64_t pid, const std::filesystem::path& path, std::int64_t readBefore)
{
    if (BytesRead(pid) - readBefore > (16 << 20))
        return true;
    const std::string name = " " + std::filesystem::canonical(path).string();
    std::ifstream maps(ProcessFile(pid, "maps"));
    for (std::string line; std::getline(maps, line);)
        if (line.ends_with(name))
            return true;
    return false;
}

std::vector<std::string> WrittenEntries(const CMemoryProfileStore& profile)
{
    std::vector<std::string> entries;
    for (const auto& write : profile.Writes())
        entries.push_back(write.section + "/" + write.entry);
    return entries;
}

CScratchFolder::CScratchFolder()
{
    std::random_device random;
    // One level further down: a file's folder and that folder's folder, which the file watch
    // watches, are then this test's own and see nothing of other tests running beside it.
    m_top = std::filesystem::temp_directory_path() / ("pelora-test-" + std::to_string(random()));
    m_root = m_top / "scratch";
    std::filesystem::create_directories(m_root);
}

CScratchFolder::~CScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_top, ignored);
}

std::string CScratchFolder::Write(const std::string& name, const std::string& content) const
{
    const std::filesystem::path path = Path(name);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

void DocFixture::Open(const std::string& path, int closingDay, const CivilDate& today)
{
    CSettings settings(profile);
    settings.SetLogPath(path);
    settings.SetClosingDay(closingDay);
    profile.ClearWrites();
    clock.Set(LocalNoon(today));
    doc = std::make_unique<CPeloraDoc>(profile, clock);
    doc->LoadChargeFile();
}

bool DocFixture::Look(std::time_t now, bool notified)
{
    const std::optional<CPeloraDoc::LoadKind> kind = doc->DueLoad(now, notified);
    if (kind)
        doc->LoadChargeFile(*kind);
    return kind.has_value();
}

void ExpectGolden(const std::string& name, const std::string& dump)
{
    const std::filesystem::path golden = std::filesystem::path(PELORA_GOLDEN_DIR) / name;
    if (std::getenv("PELORA_WRITE_GOLDEN"))
        std::ofstream(golden, std::ios::binary) << dump;
    EXPECT_EQ(dump, ReadFile(golden)) << name;
}
