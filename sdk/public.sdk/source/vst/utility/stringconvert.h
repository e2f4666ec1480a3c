// UTF-8 <-> UTF-16 conversion for the texts that cross the VST 3 interfaces
// (parameter titles, program names, class records).
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <string>

namespace Steinberg
{
namespace Vst
{
namespace StringConvert
{

// Whole-string conversions. Malformed input becomes U+FFFD, never an error.
std::u16string convert(const std::string& utf8Str);
std::string convert(const std::u16string& str);

// Into a fixed buffer of maxCharacters TChars including the terminator; the
// text is cut at a character boundary when it does not fit. False for a null
// buffer or a zero size.
bool convert(const std::string& utf8Str, TChar* str, uint32_t maxCharacters);
inline bool convert(const std::string& utf8Str, String128 str)
{
    return convert(utf8Str, str, 128);
}

// From a zero-terminated UTF-16 text; a null pointer gives the empty string.
std::string convert(const TChar* str);
// As above, reading at most max characters.
std::string convert(const TChar* str, uint32_t max);
// From 8-bit text of at most max bytes (stops at a zero byte).
std::string convert(const char* str, uint32_t max);

} // namespace StringConvert
} // namespace Vst
} // namespace Steinberg

// The former home of these functions, kept for older code as the SDK keeps
// it: each forwards to Steinberg::Vst::StringConvert and is deprecated.
namespace VST3
{
namespace StringConvert
{

SMTG_DEPRECATED_MSG("Use Steinberg::Vst::StringConvert::convert (...)")
inline std::u16string convert(const std::string& utf8Str)
{
    return Steinberg::Vst::StringConvert::convert(utf8Str);
}

SMTG_DEPRECATED_MSG("Use Steinberg::Vst::StringConvert::convert (...)")
inline std::string convert(const std::u16string& str)
{
    return Steinberg::Vst::StringConvert::convert(str);
}

SMTG_DEPRECATED_MSG("Use Steinberg::Vst::StringConvert::convert (...)")
inline std::string convert(const char* str, uint32_t max)
{
    return Steinberg::Vst::StringConvert::convert(str, max);
}

SMTG_DEPRECATED_MSG("Use Steinberg::Vst::StringConvert::convert (...)")
inline bool convert(const std::string& utf8Str, Steinberg::Vst::String128 str)
{
    return Steinberg::Vst::StringConvert::convert(utf8Str, str);
}

SMTG_DEPRECATED_MSG("Use Steinberg::Vst::StringConvert::convert (...)")
inline bool convert(const std::string& utf8Str, Steinberg::Vst::TChar* str, uint32_t maxCharacters)
{
    return Steinberg::Vst::StringConvert::convert(utf8Str, str, maxCharacters);
}

SMTG_DEPRECATED_MSG("Use Steinberg::Vst::StringConvert::convert (...)")
inline std::string convert(const Steinberg::Vst::TChar* str)
{
    return Steinberg::Vst::StringConvert::convert(str);
}

SMTG_DEPRECATED_MSG("Use Steinberg::Vst::StringConvert::convert (...)")
inline std::string convert(const Steinberg::Vst::TChar* str, uint32_t max)
{
    return Steinberg::Vst::StringConvert::convert(str, max);
}

} // namespace StringConvert
} // namespace VST3
