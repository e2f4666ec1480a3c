// String literal macros and small zero-terminated string helpers for 8-bit
// and 16-bit (char16) text.
#pragma once

#include "pluginterfaces/base/ftypes.h"

#define STR8(x) x
#define STR16(x) u##x
#ifdef UNICODE
#define STR(x) STR16(x)
#else
#define STR(x) STR8(x)
#endif

namespace Steinberg
{

template <class T> inline int32 _tstrlen(const T* str)
{
    if (!str)
        return 0;
    int32 length = 0;
    while (str[length])
        ++length;
    return length;
}
inline int32 tstrlen(const tchar* str)
{
    return _tstrlen(str);
}
inline int32 strlen8(const char8* str)
{
    return _tstrlen(str);
}
inline int32 strlen16(const char16* str)
{
    return _tstrlen(str);
}

// Compares code units; a null string sorts before every other string.
template <class T> inline int32 _tstrcmp(const T* a, const T* b)
{
    if (a == b)
        return 0;
    if (!a)
        return -1;
    if (!b)
        return 1;
    while (*a && *a == *b)
    {
        ++a;
        ++b;
    }
    if (*a == *b)
        return 0;
    return (*a < *b) ? -1 : 1;
}
inline int32 tstrcmp(const tchar* a, const tchar* b)
{
    return _tstrcmp(a, b);
}
inline int32 strcmp8(const char8* a, const char8* b)
{
    return _tstrcmp(a, b);
}
inline int32 strcmp16(const char16* a, const char16* b)
{
    return _tstrcmp(a, b);
}

template <class T> inline int32 _tstrncmp(const T* a, const T* b, uint32 count)
{
    if (a == b || count == 0)
        return 0;
    if (!a)
        return -1;
    if (!b)
        return 1;
    for (uint32 i = 0; i < count; ++i)
    {
        if (a[i] != b[i])
            return (a[i] < b[i]) ? -1 : 1;
        if (a[i] == 0)
            break;
    }
    return 0;
}
inline int32 tstrncmp(const tchar* a, const tchar* b, uint32 count)
{
    return _tstrncmp(a, b, count);
}
inline int32 strncmp8(const char8* a, const char8* b, uint32 count)
{
    return _tstrncmp(a, b, count);
}
inline int32 strncmp16(const char16* a, const char16* b, uint32 count)
{
    return _tstrncmp(a, b, count);
}

} // namespace Steinberg
