// Typed reading and writing with a chosen byte order: FStreamer over any raw
// byte source, IBStreamer over a host's IBStream.
#pragma once

#include "pluginterfaces/base/ftypes.h"

namespace Steinberg
{

class IBStream;

enum FSeekMode
{
    kSeekSet,
    kSeekCurrent,
    kSeekEnd
};

// Every read and write answers true only when all of its bytes went through;
// a failed read leaves 0 (false) in its target. bool travels as a 16-bit
// integer: 0 or 1 when written, any non-zero value reads as true.
class FStreamer
{
public:
    FStreamer(int16 byteOrder = BYTEORDER) : byteOrder(byteOrder) {}
    virtual ~FStreamer() = default;

    // Raw transfer; each answers the number of bytes actually moved.
    virtual TSize readRaw(void* buffer, TSize size) = 0;
    virtual TSize writeRaw(const void* buffer, TSize size) = 0;
    virtual int64 seek(int64 pos, FSeekMode mode) = 0;
    virtual int64 tell() = 0;

    void setByteOrder(int32 e) { byteOrder = static_cast<int16>(e); }
    int32 getByteOrder() const { return byteOrder; }

    // Reads and drops bytes / writes zero bytes.
    bool skip(uint32 bytes);
    bool pad(uint32 bytes);

    bool writeChar8(char8 c);
    bool readChar8(char8& c);
    bool writeUChar8(unsigned char c);
    bool readUChar8(unsigned char& c);
    bool writeChar16(char16 c);
    bool readChar16(char16& c);
    bool writeInt8(int8 c);
    bool readInt8(int8& c);
    bool writeInt8u(uint8 c);
    bool readInt8u(uint8& c);

    bool writeInt16(int16 i);
    bool readInt16(int16& i);
    bool writeInt16u(uint16 i);
    bool readInt16u(uint16& i);
    bool writeInt32(int32 i);
    bool readInt32(int32& i);
    bool writeInt32u(uint32 i);
    bool readInt32u(uint32& i);
    bool writeInt64(int64 i);
    bool readInt64(int64& i);
    bool writeInt64u(uint64 i);
    bool readInt64u(uint64& i);

    bool writeFloat(float f);
    bool readFloat(float& f);
    bool writeDouble(double d);
    bool readDouble(double& d);
    bool writeFloatArray(const float* array, int32 count);
    bool readFloatArray(float* array, int32 count);

    bool writeBool(bool b);
    bool readBool(bool& b);

protected:
    template <class T> bool writeValue(T value);
    template <class T> bool readValue(T& value);

    int16 byteOrder;
};

// An FStreamer over a host's IBStream. Success is judged only by the byte
// counts the stream reports, never by its result code: hosts' streams
// disagree on what they answer at the end of the data.
class IBStreamer : public FStreamer
{
public:
    IBStreamer(IBStream* stream, int16 byteOrder = BYTEORDER) : FStreamer(byteOrder), stream(stream)
    {
    }

    IBStream* getStream() { return stream; }

    TSize readRaw(void* buffer, TSize size) override;
    TSize writeRaw(const void* buffer, TSize size) override;
    int64 seek(int64 pos, FSeekMode mode) override;
    int64 tell() override;

protected:
    IBStream* stream;
};

} // namespace Steinberg
