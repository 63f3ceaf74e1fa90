#pragma once
// Opens a file for reading only if it is a regular file. A FIFO would block the open until some
// writer came, a device such as /dev/zero never ends: both would freeze the program. The check is
// made on the opened descriptor (opened without blocking), so nothing can be swapped in between.

#include <cstdio>
#include <string>

// The open file, or nullptr with the system's reason in error.
std::FILE* OpenRegularFile(const std::string& path, std::string& error);

inline constexpr const char* kNotRegularFileText = "not a regular file";
