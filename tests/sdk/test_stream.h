// A memory IBStream for the tests: can cap how much it accepts or delivers,
// and can answer a result code that contradicts its byte counts.
#pragma once

#include "pluginterfaces/base/ibstream.h"

#include <algorithm>
#include <cstring>
#include <vector>

class TestStream : public Steinberg::IBStream
{
public:
    std::vector<unsigned char> bytes;
    Steinberg::int64 position = 0;
    Steinberg::int64 writeLimit = -1; // total bytes accepted; -1: unlimited
    Steinberg::tresult answer = Steinberg::kResultOk;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID, void** obj) override
    {
        *obj = nullptr;
        return Steinberg::kNoInterface;
    }
    Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
    Steinberg::uint32 PLUGIN_API release() override { return 1; }

    Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes,
                                       Steinberg::int32* numBytesRead) override
    {
        const auto available = static_cast<Steinberg::int64>(bytes.size()) - position;
        const auto count =
            std::max<Steinberg::int64>(0, std::min<Steinberg::int64>(numBytes, available));
        if (count > 0)
            std::memcpy(buffer, bytes.data() + position, static_cast<size_t>(count));
        position += count;
        if (numBytesRead)
            *numBytesRead = static_cast<Steinberg::int32>(count);
        return answer;
    }
    Steinberg::tresult PLUGIN_API write(void* buffer, Steinberg::int32 numBytes,
                                        Steinberg::int32* numBytesWritten) override
    {
        Steinberg::int64 count = numBytes;
        if (writeLimit >= 0)
            count = std::max<Steinberg::int64>(0, std::min(count, writeLimit - position));
        if (position + count > static_cast<Steinberg::int64>(bytes.size()))
            bytes.resize(static_cast<size_t>(position + count));
        if (count > 0)
            std::memcpy(bytes.data() + position, buffer, static_cast<size_t>(count));
        position += count;
        if (numBytesWritten)
            *numBytesWritten = static_cast<Steinberg::int32>(count);
        return answer;
    }
    Steinberg::tresult PLUGIN_API seek(Steinberg::int64 pos, Steinberg::int32 mode,
                                       Steinberg::int64* result) override
    {
        const Steinberg::int64 base = mode == kIBSeekSet ? 0
                                      : mode == kIBSeekCur
                                          ? position
                                          : static_cast<Steinberg::int64>(bytes.size());
        if (base + pos < 0)
            return Steinberg::kInvalidArgument;
        position = base + pos;
        if (result)
            *result = position;
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API tell(Steinberg::int64* pos) override
    {
        if (pos)
            *pos = position;
        return Steinberg::kResultOk;
    }
};
