#include "support/memorystream.h"

#include <algorithm>
#include <cstring>

namespace ferrulith_test
{

using namespace Steinberg;

tresult PLUGIN_API MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead)
{
    if (numBytes < 0 || (buffer == nullptr && numBytes > 0))
        return kInvalidArgument;
    const int64_t available = std::max<int64_t>(0, static_cast<int64_t>(data.size()) - pos);
    const int32 count = static_cast<int32>(std::min<int64_t>(available, numBytes));
    if (count > 0)
        std::memcpy(buffer, data.data() + pos, static_cast<size_t>(count));
    pos += count;
    if (numBytesRead)
        *numBytesRead = count;
    return count == numBytes ? kResultOk : kResultFalse;
}

tresult PLUGIN_API MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten)
{
    if (numBytes < 0 || (buffer == nullptr && numBytes > 0))
        return kInvalidArgument;
    const size_t room = writeLimit - std::min(writeLimit, written);
    const int32 count = static_cast<int32>(std::min<size_t>(room, static_cast<size_t>(numBytes)));
    if (static_cast<size_t>(pos) + static_cast<size_t>(count) > data.size())
        data.resize(static_cast<size_t>(pos) + static_cast<size_t>(count));
    if (count > 0)
        std::memcpy(data.data() + pos, buffer, static_cast<size_t>(count));
    pos += count;
    written += static_cast<size_t>(count);
    if (numBytesWritten)
        *numBytesWritten = count;
    return count == numBytes ? kResultOk : kResultFalse;
}

tresult PLUGIN_API MemoryStream::seek(int64 offset, int32 mode, int64* result)
{
    int64_t base = 0;
    if (mode == kIBSeekCur)
        base = pos;
    else if (mode == kIBSeekEnd)
        base = static_cast<int64_t>(data.size());
    else if (mode != kIBSeekSet)
        return kInvalidArgument;
    if (base + offset < 0)
        return kResultFalse;
    pos = base + offset;
    if (result)
        *result = pos;
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::tell(int64* result)
{
    if (result == nullptr)
        return kInvalidArgument;
    *result = pos;
    return kResultOk;
}

} // namespace ferrulith_test
