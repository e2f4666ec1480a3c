// An IBStream over memory, as hosts hand to getState/setState, that can also
// behave like a full disk (accept only so many bytes) or a file cut short.
#pragma once

#include "pluginterfaces/base/ibstream.h"
#include "support/hostobject.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace ferrulith_test
{

class MemoryStream : public HostObject<Steinberg::IBStream>
{
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<uint8_t> bytes) : data(std::move(bytes)) {}

    // Accept at most this many bytes in total over all writes; a write that
    // would pass it stores what fits and reports the shorter count.
    void setWriteLimit(size_t limit) { writeLimit = limit; }

    const std::vector<uint8_t>& bytes() const { return data; }
    int64_t position() const { return pos; }
    void rewind() { pos = 0; }

    Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes,
                                       Steinberg::int32* numBytesRead) override;
    Steinberg::tresult PLUGIN_API write(void* buffer, Steinberg::int32 numBytes,
                                        Steinberg::int32* numBytesWritten) override;
    Steinberg::tresult PLUGIN_API seek(Steinberg::int64 offset, Steinberg::int32 mode,
                                       Steinberg::int64* result) override;
    Steinberg::tresult PLUGIN_API tell(Steinberg::int64* result) override;

private:
    std::vector<uint8_t> data;
    int64_t pos = 0;
    size_t writeLimit = std::numeric_limits<size_t>::max();
    size_t written = 0;
};

} // namespace ferrulith_test
