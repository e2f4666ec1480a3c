#include "public.sdk/source/vst/vstbus.h"

namespace Steinberg
{
namespace Vst
{

namespace
{

// Copies name into a fixed UTF-16 field, cut to fit, always terminated.
void copyName(const std::u16string& name, String128 field)
{
    const size_t capacity = sizeof(String128) / sizeof(TChar);
    const size_t count = name.size() < capacity - 1 ? name.size() : capacity - 1;
    for (size_t i = 0; i < count; ++i)
        field[i] = static_cast<TChar>(name[i]);
    field[count] = 0;
}

int32 speakerCountOf(SpeakerArrangement arr)
{
    int32 count = 0;
    for (; arr != 0; arr &= arr - 1)
        ++count;
    return count;
}

} // namespace

Bus::Bus(const TChar* name, BusType busType, int32 flags)
    : name(name ? reinterpret_cast<const char16_t*>(name) : u""), busType(busType), flags(flags),
      active(false)
{
}

bool Bus::getInfo(BusInfo& info)
{
    copyName(name, info.name);
    info.busType = busType;
    info.flags = static_cast<uint32>(flags);
    return true;
}

EventBus::EventBus(const TChar* name, BusType busType, int32 flags, int32 channelCount)
    : Bus(name, busType, flags), channelCount(channelCount)
{
}

bool EventBus::getInfo(BusInfo& info)
{
    info.channelCount = channelCount;
    return Bus::getInfo(info);
}

AudioBus::AudioBus(const TChar* name, BusType busType, int32 flags, SpeakerArrangement arr)
    : Bus(name, busType, flags), speakerArr(arr)
{
}

bool AudioBus::getInfo(BusInfo& info)
{
    info.channelCount = speakerCountOf(speakerArr);
    return Bus::getInfo(info);
}

BusList::BusList(MediaType type, BusDirection dir) : type(type), direction(dir) {}

} // namespace Vst
} // namespace Steinberg
