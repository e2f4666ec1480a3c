#pragma once

#include "hostkit/host_object.h"

#include "pluginterfaces/base/ibstream.h"

#include <cstdint>
#include <vector>

namespace ferrulith::host
{

// The growable in-memory stream the host hands out for component state and
// program data. Reads stop at the end; writes past the end grow it, filling
// any gap a seek left with zeros.
class MemoryStream final : public HostObject<Steinberg::IBStream>
{
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> initial) : bytes(std::move(initial)) {}

    Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes,
                                       Steinberg::int32* numBytesRead) override;
    Steinberg::tresult PLUGIN_API write(void* buffer, Steinberg::int32 numBytes,
                                        Steinberg::int32* numBytesWritten) override;
    Steinberg::tresult PLUGIN_API seek(Steinberg::int64 pos, Steinberg::int32 mode,
                                       Steinberg::int64* result) override;
    Steinberg::tresult PLUGIN_API tell(Steinberg::int64* pos) override;

    const std::vector<std::uint8_t>& data() const { return bytes; }
    Steinberg::int64 position() const { return cursor; }
    void rewind() { cursor = 0; }

private:
    std::vector<std::uint8_t> bytes;
    Steinberg::int64 cursor = 0;
};

} // namespace ferrulith::host
