#pragma once

#include <cstddef>
#include <streambuf>

// A stream buffer that writers may fill in place: they ask for room at the put position, write
// there and say how much they wrote, which saves putting large outputs together in a buffer of
// their own and copying it over.
class DirectStreamBuffer : public std::streambuf {
public:
    // Where size bytes may be written next, handing what the buffer holds to its destination
    // first when there is not room enough; null when size is more than the buffer holds or the
    // destination has failed.
    char* Room(size_t size) {
        if (static_cast<size_t>(epptr() - pptr()) < size &&
            traits_type::eq_int_type(overflow(traits_type::eof()), traits_type::eof()))
            return nullptr;
        return static_cast<size_t>(epptr() - pptr()) < size ? nullptr : pptr();
    }
    // Takes the size bytes written at Room (no more than were asked for).
    void Advance(size_t size) { pbump(static_cast<int>(size)); }
};
