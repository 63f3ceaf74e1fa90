#pragma once
// File names are the system's bytes, which need not be UTF-8 (old Shift-JIS names, say). Qt holds
// them as QString; these two turn bytes into text and back without loss: bytes that are not UTF-8
// stand as the lone surrogates U+DC80..U+DCFF, one per byte, and turn back into the same bytes.

#include <QString>
#include <string>

QString DecodePath(const std::string& bytes);
std::string EncodePath(const QString& text);
bool IsValidUtf8(const std::string& bytes);
