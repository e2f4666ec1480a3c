#pragma once

// Conversions between the UTF-16 strings of the VST 3 interfaces and the
// UTF-8 the host prints and takes on its command line.

#include <cstddef>
#include <string>

namespace ferrulith::host
{

// Reads at most `capacity` UTF-16 units, stopping at the first zero, so a
// field a module forgot to terminate cannot run past its end.
std::string utf8FromUtf16(const char16_t* text, std::size_t capacity);

// Writes `text` into a UTF-16 field of `capacity` units, always terminated.
void utf16FromUtf8(const std::string& text, char16_t* field, std::size_t capacity);

// Reads an 8-bit text field of `capacity` bytes that may lack its terminator.
std::string boundedString(const char* text, std::size_t capacity);

template <std::size_t N> std::string utf8FromUtf16(const char16_t (&field)[N])
{
    return utf8FromUtf16(field, N);
}

template <std::size_t N> std::string boundedString(const char (&field)[N])
{
    return boundedString(field, N);
}

} // namespace ferrulith::host
