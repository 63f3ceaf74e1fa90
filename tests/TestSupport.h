#pragma once
// Shared fixtures: a scratch folder, a recording message sink and a document on a fixed date.

#include "document/PeloraDoc.h"
#include "platform/core/Clock.h"
#include "platform/core/MessageSink.h"
#include "platform/core/ProfileStore.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The two days the tests are set on: a closing day in December, and one in March after a year change.
const CivilDate k1996Dec20{1996, 12, 20};
const CivilDate k1997Mar20{1997, 3, 20};

class CRecordingSink : public IMessageSink {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// A file's bytes, and bytes added at its end (written out as the stream closes).
std::string ReadFile(const std::filesystem::path& path);
void AppendTo(const std::filesystem::path& path, const std::string& bytes);

// A dump against the file tests/golden/NAME; PELORA_WRITE_GOLDEN=1 writes the dumps afresh for review.
void ExpectGolden(const std::string& name, const std::string& dump);

// The bytes a process (0: this one) has read so far by reads (not through a mapping).
std::int64_t BytesRead(std::int64_t pid);
// Whether a process (0: this one) is reading the large file: it has a stretch of it mapped, or has
// read 16 MB more by reads than readBefore, which BytesRead gave before the load.
bool IsReadingFile(std::int64_t pid, const std::filesystem::path& path, std::int64_t readBefore = 0);

// "Section/Entry" of every write, in order.
std::vector<std::string> WrittenEntries(const CMemoryProfileStore& profile);

class CScratchFolder {
public:
    CScratchFolder();
    ~CScratchFolder();
    std::filesystem::path Path(const std::string& name) const { return m_root / name; }
    std::string Write(const std::string& name, const std::string& content) const; // folders made as needed

private:
    std::filesystem::path m_top, m_root;
};

// A document built around a given date, with its store and clock.
struct DocFixture {
    CScratchFolder folder;
    CMemoryProfileStore profile;
    CFixedClock clock;
    std::unique_ptr<CPeloraDoc> doc;

    // Stores path and closing day, then constructs the document on that date and reads the file.
    void Open(const std::string& path, int closingDay, const CivilDate& today);
    // The look at the file as of now, with the load it calls for done here; whether it loaded.
    bool Look(std::time_t now, bool notified);
};
