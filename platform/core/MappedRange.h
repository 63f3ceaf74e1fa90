#pragma once
// A stretch of an open file mapped into memory for reading, so its bytes are read where the
// system keeps them rather than copied. A file another program cuts short while it is mapped
// would end the process on reading past its new end (SIGBUS): ReadGuarded runs the reading so
// that such a read ends it instead, and says so.

#include <cstddef>
#include <cstdint>

class CMappedRange {
public:
    CMappedRange() = default;
    CMappedRange(const CMappedRange&) = delete;
    CMappedRange& operator=(const CMappedRange&) = delete;
    ~CMappedRange() { Unmap(); }

    // Maps bytes [offset, offset + size) of the open file (in place of any mapped before); false
    // where the system cannot (then nothing is mapped and the caller reads another way).
    bool Map(int descriptor, std::int64_t offset, std::size_t size);
    void Unmap();
    // Gives back the memory of the pages wholly before Data() + end, which are read no more: a
    // long range read from start to end then holds only the pages about where it is read.
    void Release(std::size_t end);
    // Has the system map the pages of bytes [from, from + size) now, in one burst of faults
    // rather than one now and then in the middle of the reading: faster to read after. Reads the
    // bytes, so it belongs in ReadGuarded.
    void FaultIn(std::size_t from, std::size_t size) const;

    const char* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }

private:
    void* m_mapping = nullptr;
    std::size_t m_mappingSize = 0;
    const char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_released = 0; // bytes from the mapping's start given back
};

namespace mapped_range_detail {
bool RunGuarded(const CMappedRange& range, void (*read)(void*), void* context);
}

// Runs read(), which reads only range's bytes and leaves nothing to clean up if it is cut off
// part way: no object with a destructor of its own lives in it. False when the file turned out
// shorter than the range and read() was cut off at the first missing byte.
template <class Read> bool ReadGuarded(const CMappedRange& range, Read&& read)
{
    return mapped_range_detail::RunGuarded(
        range, [](void* context) { (*static_cast<Read*>(context))(); }, &read);
}
