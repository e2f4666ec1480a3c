#include "base/source/fstreamer.h"

#include "pluginterfaces/base/ibstream.h"

#include <cstring>

namespace Steinberg
{

namespace
{
template <class T> T reverseBytes(T value)
{
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (size_t i = 0; i < sizeof(T) / 2; ++i)
    {
        const unsigned char b = bytes[i];
        bytes[i] = bytes[sizeof(T) - 1 - i];
        bytes[sizeof(T) - 1 - i] = b;
    }
    std::memcpy(&value, bytes, sizeof(T));
    return value;
}
} // namespace

template <class T> bool FStreamer::writeValue(T value)
{
    if (byteOrder != BYTEORDER)
        value = reverseBytes(value);
    return writeRaw(&value, sizeof(T)) == static_cast<TSize>(sizeof(T));
}

template <class T> bool FStreamer::readValue(T& value)
{
    T raw;
    if (readRaw(&raw, sizeof(T)) != static_cast<TSize>(sizeof(T)))
    {
        std::memset(&value, 0, sizeof(T));
        return false;
    }
    value = (byteOrder != BYTEORDER) ? reverseBytes(raw) : raw;
    return true;
}

bool FStreamer::skip(uint32 bytes)
{
    unsigned char scratch[256];
    while (bytes > 0)
    {
        const uint32 chunk = bytes < sizeof(scratch) ? bytes : uint32(sizeof(scratch));
        if (readRaw(scratch, chunk) != static_cast<TSize>(chunk))
            return false;
        bytes -= chunk;
    }
    return true;
}

bool FStreamer::pad(uint32 bytes)
{
    const unsigned char zeros[256] = {};
    while (bytes > 0)
    {
        const uint32 chunk = bytes < sizeof(zeros) ? bytes : uint32(sizeof(zeros));
        if (writeRaw(zeros, chunk) != static_cast<TSize>(chunk))
            return false;
        bytes -= chunk;
    }
    return true;
}

bool FStreamer::writeChar8(char8 c)
{
    return writeValue(c);
}
bool FStreamer::readChar8(char8& c)
{
    return readValue(c);
}
bool FStreamer::writeUChar8(unsigned char c)
{
    return writeValue(c);
}
bool FStreamer::readUChar8(unsigned char& c)
{
    return readValue(c);
}
bool FStreamer::writeChar16(char16 c)
{
    return writeValue(c);
}
bool FStreamer::readChar16(char16& c)
{
    return readValue(c);
}
bool FStreamer::writeInt8(int8 c)
{
    return writeValue(c);
}
bool FStreamer::readInt8(int8& c)
{
    return readValue(c);
}
bool FStreamer::writeInt8u(uint8 c)
{
    return writeValue(c);
}
bool FStreamer::readInt8u(uint8& c)
{
    return readValue(c);
}
bool FStreamer::writeInt16(int16 i)
{
    return writeValue(i);
}
bool FStreamer::readInt16(int16& i)
{
    return readValue(i);
}
bool FStreamer::writeInt16u(uint16 i)
{
    return writeValue(i);
}
bool FStreamer::readInt16u(uint16& i)
{
    return readValue(i);
}
bool FStreamer::writeInt32(int32 i)
{
    return writeValue(i);
}
bool FStreamer::readInt32(int32& i)
{
    return readValue(i);
}
bool FStreamer::writeInt32u(uint32 i)
{
    return writeValue(i);
}
bool FStreamer::readInt32u(uint32& i)
{
    return readValue(i);
}
bool FStreamer::writeInt64(int64 i)
{
    return writeValue(i);
}
bool FStreamer::readInt64(int64& i)
{
    return readValue(i);
}
bool FStreamer::writeInt64u(uint64 i)
{
    return writeValue(i);
}
bool FStreamer::readInt64u(uint64& i)
{
    return readValue(i);
}
bool FStreamer::writeFloat(float f)
{
    return writeValue(f);
}
bool FStreamer::readFloat(float& f)
{
    return readValue(f);
}
bool FStreamer::writeDouble(double d)
{
    return writeValue(d);
}
bool FStreamer::readDouble(double& d)
{
    return readValue(d);
}

bool FStreamer::writeFloatArray(const float* array, int32 count)
{
    for (int32 i = 0; i < count; ++i)
        if (!writeFloat(array[i]))
            return false;
    return true;
}

bool FStreamer::readFloatArray(float* array, int32 count)
{
    for (int32 i = 0; i < count; ++i)
        if (!readFloat(array[i]))
            return false;
    return true;
}

bool FStreamer::writeBool(bool b)
{
    return writeInt16(b ? 1 : 0);
}

bool FStreamer::readBool(bool& b)
{
    int16 value = 0;
    const bool ok = readInt16(value);
    b = value != 0;
    return ok;
}

// IBStream moves at most an int32 of bytes per call; anything the stream
// claims beyond what was asked is not believed.
TSize IBStreamer::readRaw(void* buffer, TSize size)
{
    if (!stream || !buffer || size <= 0 || size > kMaxInt32)
        return 0;
    int32 numBytesRead = 0;
    stream->read(buffer, static_cast<int32>(size), &numBytesRead);
    if (numBytesRead < 0)
        return 0;
    return numBytesRead > size ? size : numBytesRead;
}

TSize IBStreamer::writeRaw(const void* buffer, TSize size)
{
    if (!stream || !buffer || size <= 0 || size > kMaxInt32)
        return 0;
    int32 numBytesWritten = 0;
    stream->write(const_cast<void*>(buffer), static_cast<int32>(size), &numBytesWritten);
    if (numBytesWritten < 0)
        return 0;
    return numBytesWritten > size ? size : numBytesWritten;
}

int64 IBStreamer::seek(int64 pos, FSeekMode mode)
{
    if (!stream)
        return -1;
    int64 result = -1;
    stream->seek(pos, static_cast<int32>(mode), &result);
    return result;
}

int64 IBStreamer::tell()
{
    if (!stream)
        return -1;
    int64 pos = -1;
    stream->tell(&pos);
    return pos;
}

} // namespace Steinberg
