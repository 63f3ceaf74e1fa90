#include "platform/core/PathText.h"

namespace {
// The length of the valid UTF-8 sequence at bytes[i], or 0 when there is none.
std::size_t SequenceLength(const std::string& bytes, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned code = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (byte(i + k) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}
} // namespace

bool IsValidUtf8(const std::string& bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = SequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

QString DecodePath(const std::string& bytes)
{
    QString text;
    std::size_t run = 0; // start of the current run of valid UTF-8
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = SequenceLength(bytes, i);
        if (length > 0) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(bytes.data() + run, static_cast<qsizetype>(i - run));
        text += QChar(static_cast<char16_t>(0xDC00 | static_cast<unsigned char>(bytes[i])));
        run = ++i;
    }
    text += QString::fromUtf8(bytes.data() + run, static_cast<qsizetype>(bytes.size() - run));
    return text;
}

std::string EncodePath(const QString& text)
{
    std::string bytes;
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i; // a real character outside the basic plane
            continue;
        }
        if (c < 0xDC80 || c > 0xDCFF)
            continue;
        bytes += text.mid(run, i - run).toStdString();
        bytes += static_cast<char>(c & 0xFF);
        run = i + 1;
    }
    bytes += text.mid(run).toStdString();
    return bytes;
}
