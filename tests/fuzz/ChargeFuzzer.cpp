// Whole charge files through the reader and the tallies, with a closing day and a date taken from
// the first bytes. Beyond the sanitizers it checks what must hold for any file: it loads, and no
// slot counts fewer than no calls.

#include "document/PeloraDoc.h"
#include "platform/core/Clock.h"
#include "platform/core/ProfileStore.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {
const std::string& ScratchFile()
{
    static const std::string path = "/dev/shm/pelora-fuzz-charge-" + std::to_string(::getpid()) + ".log";
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    // Any stored closing day, hostile ones included; a date from 1996 to the 2170s.
    const int closingDay = static_cast<std::int8_t>(data[0]);
    const int dayOffset = data[1] | data[2] << 8;
    if (!std::ofstream(ScratchFile(), std::ios::binary).write(reinterpret_cast<const char*>(data + 3), size - 3))
        return 0;

    CMemoryProfileStore profile;
    CSettings settings(profile);
    settings.SetLogPath(ScratchFile());
    settings.SetClosingDay(closingDay);
    CFixedClock clock(LocalNoon(AddDays({1996, 1, 1}, dayOffset)));
    CPeloraDoc doc(profile, clock);
    doc.LoadChargeFile();
    if (doc.IsLoadFailed())
        __builtin_trap();
    const Tallies& t = doc.GetTallies();
    for (int i = 0; i < kDaySlots; ++i)
        if (t.dayCount.Slot(i) < 0 || (i < kMonthSlots && t.monthCount.Slot(i) < 0))
            __builtin_trap();
    return 0;
}
