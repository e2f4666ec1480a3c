#pragma once

#include "hostkit/host_object.h"

#include "pluginterfaces/base/ibstream.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace ferrulith::host
{

// The growable in-memory stream a host hands out for component state and
// program data. Reads stop at the end; writes past the end grow it, filling
// any gap a seek left with zeros.
//
// Tests make it behave like the streams of other hosts: one that fills up (a
// full disk) and one whose result codes say otherwise than its byte counts.
class MemoryStream final : public HostObject<Steinberg::IBStream>
{
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> initial) : content(std::move(initial)) {}

    Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes,
                                       Steinberg::int32* numBytesRead) override;
    Steinberg::tresult PLUGIN_API write(void* buffer, Steinberg::int32 numBytes,
                                        Steinberg::int32* numBytesWritten) override;
    Steinberg::tresult PLUGIN_API seek(Steinberg::int64 pos, Steinberg::int32 mode,
                                       Steinberg::int64* result) override;
    Steinberg::tresult PLUGIN_API tell(Steinberg::int64* pos) override;

    const std::vector<std::uint8_t>& bytes() const { return content; }
    Steinberg::int64 position() const { return cursor; }
    void rewind() { cursor = 0; }

    // Accepts at most this many bytes over all writes; a write that would pass
    // it stores what fits and reports the shorter count.
    void setWriteLimit(std::size_t limit) { writeLimit = limit; }
    // Every read and write answers `result`, whatever it moved.
    void answerAlways(Steinberg::tresult result) { forcedAnswer = result; }

private:
    Steinberg::tresult answer(Steinberg::tresult result) const
    {
        return forcedAnswer ? *forcedAnswer : result;
    }

    std::vector<std::uint8_t> content;
    Steinberg::int64 cursor = 0;
    std::size_t writeLimit = std::numeric_limits<std::size_t>::max();
    std::size_t written = 0;
    std::optional<Steinberg::tresult> forcedAnswer;
};

} // namespace ferrulith::host
