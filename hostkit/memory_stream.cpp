#include "hostkit/memory_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace ferrulith::host
{

using namespace Steinberg;

tresult PLUGIN_API MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead)
{
    if (numBytesRead)
        *numBytesRead = 0;
    if (numBytes < 0 || (numBytes > 0 && !buffer))
        return kInvalidArgument;
    const int64 available = std::max<int64>(0, int64(content.size()) - cursor);
    const int32 count = int32(std::min<int64>(numBytes, available));
    if (count > 0)
        std::memcpy(buffer, content.data() + cursor, std::size_t(count));
    cursor += count;
    if (numBytesRead)
        *numBytesRead = count;
    return answer(kResultOk);
}

tresult PLUGIN_API MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten)
{
    if (numBytesWritten)
        *numBytesWritten = 0;
    if (numBytes < 0 || (numBytes > 0 && !buffer))
        return kInvalidArgument;
    const std::size_t room = writeLimit - std::min(writeLimit, written);
    const int32 count = int32(std::min<std::size_t>(room, std::size_t(numBytes)));
    const std::size_t end = std::size_t(cursor) + std::size_t(count);
    try
    {
        if (end > content.size())
            content.resize(end, 0);
    }
    catch (...)
    {
        return kOutOfMemory;
    }
    if (count > 0)
        std::memcpy(content.data() + cursor, buffer, std::size_t(count));
    cursor += count;
    written += std::size_t(count);
    if (numBytesWritten)
        *numBytesWritten = count;
    return answer(kResultOk);
}

tresult PLUGIN_API MemoryStream::seek(int64 pos, int32 mode, int64* result)
{
    int64 base = 0;
    switch (mode)
    {
    case kIBSeekSet:
        break;
    case kIBSeekCur:
        base = cursor;
        break;
    case kIBSeekEnd:
        base = int64(content.size());
        break;
    default:
        return kInvalidArgument;
    }
    // Positions before the start, or so far out that a write could not reach
    // them, are refused and leave the position where it was.
    if ((pos < 0 && base + pos < 0) || (pos > 0 && pos > std::numeric_limits<int32>::max() - base))
        return kInvalidArgument;
    cursor = base + pos;
    if (result)
        *result = cursor;
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::tell(int64* pos)
{
    if (!pos)
        return kInvalidArgument;
    *pos = cursor;
    return kResultOk;
}

} // namespace ferrulith::host
