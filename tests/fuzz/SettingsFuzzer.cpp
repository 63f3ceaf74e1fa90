// Any bytes through the settings store's reading of values: as a stored text read as an integer
// and as bytes, as a whole settings file to be judged damaged or not, and as a file name. Checks
// that an integer read back is what the text says, and that any bytes come back exactly.

#include "platform/core/PathText.h"
#include "platform/core/ProfileStore.h"
#include "platform/core/QtProfileStore.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace {
// What the text says as a 32-bit integer, by the C library: blanks around, sign, digits only.
bool Reference(const QString& text, std::int32_t& value)
{
    const QByteArray trimmed = text.trimmed().toUtf8();
    if (trimmed.isEmpty() || trimmed.contains('\0'))
        return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(trimmed.constData(), &end, 10);
    const std::size_t digits = trimmed[0] == '-' || trimmed[0] == '+' ? 1 : 0;
    bool digitsOnly = end == trimmed.constData() + trimmed.size() && trimmed.size() > static_cast<qsizetype>(digits);
    for (qsizetype i = static_cast<qsizetype>(digits); i < trimmed.size(); ++i)
        digitsOnly = digitsOnly && trimmed[i] >= '0' && trimmed[i] <= '9';
    if (errno != 0 || !digitsOnly || parsed < std::numeric_limits<std::int32_t>::min()
        || parsed > std::numeric_limits<std::int32_t>::max())
        return false;
    value = static_cast<std::int32_t>(parsed);
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::string text = bytes.toStdString();
    LooksLikeDamagedSettings(bytes);

    const QString asText = QString::fromUtf8(bytes);
    std::int32_t expected = 0;
    const std::int32_t read = ProfileIntOf(QVariant(asText), 7);
    if (Reference(asText, expected) ? read != expected : read != 7)
        __builtin_trap();
    if (ProfileStringOf(QVariant(bytes), "") != text)
        __builtin_trap();

    std::int32_t value = 0;
    if (ParseProfileInt(text, value) && (!Reference(QString::fromStdString(text), expected) || expected != value))
        __builtin_trap();
    if (EncodePath(DecodePath(text)) != text)
        __builtin_trap();
    return 0;
}
