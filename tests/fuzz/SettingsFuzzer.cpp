// A settings file of any bytes through the store's reading of values, read-only so nothing is set
// aside; the same bytes as a value text and as a file name. Checks that a number read back is what
// the text says, and that any name's bytes come back exactly.

#include "platform/PathText.h"
#include "platform/ProfileStore.h"
#include "platform/QtProfileStore.h"

#include <QFile>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString path = QStringLiteral("/dev/shm/pelora-fuzz-settings-%1.conf").arg(::getpid());
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(bytes);
    }
    LooksLikeDamagedSettings(bytes);
    CQtProfileStore store(path, CQtProfileStore::ReadOnly);
    for (const char* entry : {"Xpos", "Ypos", "TopMost", "DayMode", "YenMode", "GraphClr"})
        store.GetProfileInt("Window", entry, 7);
    store.GetProfileInt("Option", "Simekiri", 31);
    store.GetProfileString("File", "VamloLogPath", "hogehoge");
    if (store.WriteProfileInt("Window", "Xpos", 1))
        __builtin_trap(); // a read-only store never writes

    const std::string text = bytes.toStdString();
    std::int32_t value = 0;
    if (ParseProfileInt(text, value)) {
        errno = 0;
        char* end = nullptr;
        const long long reference = std::strtoll(text.c_str(), &end, 10);
        if (errno != 0 || reference != value)
            __builtin_trap();
    }
    if (EncodePath(DecodePath(text)) != text)
        __builtin_trap();
    return 0;
}
