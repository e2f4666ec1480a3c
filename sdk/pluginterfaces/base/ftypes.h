// Basic integer, character and string types of the VST 3 interfaces.
#pragma once

#include "pluginterfaces/base/fplatform.h"

#include <cstdint>

namespace Steinberg
{

typedef char int8;
typedef uint8_t uint8;
typedef unsigned char uchar;
typedef int16_t int16;
typedef uint16_t uint16;
typedef int32_t int32;
typedef uint32_t uint32;
typedef long long int64;
typedef unsigned long long uint64;
typedef int64 TSize;

static const int32 kMaxInt32 = INT32_MAX;
static const int32 kMinInt32 = INT32_MIN;
static const uint32 kMaxInt32u = UINT32_MAX;
static const int64 kMaxInt64 = INT64_MAX;
static const int64 kMinInt64 = INT64_MIN;
static const uint64 kMaxInt64u = UINT64_MAX;

// Result of every interface method; the codes are in funknown.h.
typedef int32 tresult;

// The interfaces pass booleans as one byte.
typedef uint8 TBool;

typedef char char8;
typedef char16_t char16;

#ifdef UNICODE
typedef char16 tchar;
#else
typedef char8 tchar;
#endif

typedef const char8* CStringA;
typedef const char16* CStringW;
typedef const tchar* CString;
inline bool strEmpty(const tchar* str)
{
    return (!str || *str == 0);
}
inline bool str8Empty(const char8* str)
{
    return (!str || *str == 0);
}
inline bool str16Empty(const char16* str)
{
    return (!str || *str == 0);
}

// Identifier strings (class categories, platform types, attribute ids).
typedef const char8* FIDString;

// Screen coordinates.
typedef int32 UCoord;
static const UCoord kMaxCoord = static_cast<UCoord>(0x7FFFFFFF);
static const UCoord kMinCoord = -static_cast<UCoord>(0x7FFFFFFF);

} // namespace Steinberg
