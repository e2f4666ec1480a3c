#include "pluginterfaces/base/funknown.h"

namespace Steinberg
{

DEF_CLASS_IID(FUnknown)

namespace FUnknownPrivate
{
int32 PLUGIN_API atomicAdd(int32& value, int32 amount)
{
    return __atomic_add_fetch(&value, amount, __ATOMIC_SEQ_CST);
}
} // namespace FUnknownPrivate

namespace
{
uint8 byteAt(const TUID data, int index)
{
    return static_cast<uint8>(data[index]);
}

uint32 bigEndianWord(const TUID data, int first)
{
    return (uint32(byteAt(data, first)) << 24) | (uint32(byteAt(data, first + 1)) << 16) |
           (uint32(byteAt(data, first + 2)) << 8) | uint32(byteAt(data, first + 3));
}

int hexDigit(char8 c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

bool FUID::isValid() const
{
    for (int8 b : data)
        if (b != 0)
            return true;
    return false;
}

void FUID::from4Int(uint32 l1, uint32 l2, uint32 l3, uint32 l4)
{
    const TUID bytes = INLINE_UID(l1, l2, l3, l4);
    std::memcpy(data, bytes, sizeof(TUID));
}

void FUID::to4Int(uint32& l1, uint32& l2, uint32& l3, uint32& l4) const
{
    l1 = getLong1();
    l2 = getLong2();
    l3 = getLong3();
    l4 = getLong4();
}

#if COM_COMPATIBLE
uint32 FUID::getLong1() const
{
    return uint32(byteAt(data, 0)) | (uint32(byteAt(data, 1)) << 8) |
           (uint32(byteAt(data, 2)) << 16) | (uint32(byteAt(data, 3)) << 24);
}
uint32 FUID::getLong2() const
{
    return (uint32(byteAt(data, 4)) << 16) | (uint32(byteAt(data, 5)) << 24) |
           uint32(byteAt(data, 6)) | (uint32(byteAt(data, 7)) << 8);
}
#else
uint32 FUID::getLong1() const
{
    return bigEndianWord(data, 0);
}
uint32 FUID::getLong2() const
{
    return bigEndianWord(data, 4);
}
#endif
uint32 FUID::getLong3() const
{
    return bigEndianWord(data, 8);
}
uint32 FUID::getLong4() const
{
    return bigEndianWord(data, 12);
}

// The text form is the four words in hexadecimal, so it reads the same on
// every platform whatever the byte layout.
void FUID::toString(char8* string) const
{
    if (!string)
        return;
    static const char8 digits[] = "0123456789ABCDEF";
    const uint32 words[4] = {getLong1(), getLong2(), getLong3(), getLong4()};
    for (int w = 0; w < 4; ++w)
        for (int d = 0; d < 8; ++d)
            string[w * 8 + d] = digits[(words[w] >> (28 - 4 * d)) & 0xF];
    string[32] = 0;
}

bool FUID::fromString(const char8* string)
{
    if (!string)
        return false;
    uint32 words[4] = {};
    for (int i = 0; i < 32; ++i)
    {
        const int digit = hexDigit(string[i]);
        if (digit < 0)
            return false;
        words[i / 8] = (words[i / 8] << 4) | uint32(digit);
    }
    if (string[32] != 0)
        return false;
    from4Int(words[0], words[1], words[2], words[3]);
    return true;
}

} // namespace Steinberg
