#include "public.sdk/source/vst/vstparameters.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace Steinberg
{
namespace Vst
{
namespace
{

constexpr size_t kString128Chars = 128;

size_t textLength(const TChar* text, size_t max)
{
    size_t n = 0;
    if (text != nullptr)
        while (n < max && text[n] != 0)
            ++n;
    return n;
}

// Copies a zero-terminated text into a 128-character field, cut to fit.
void copyText(String128 dest, const TChar* source)
{
    const size_t n = textLength(source, kString128Chars - 1);
    std::copy(source, source + n, dest);
    dest[n] = 0;
}

void copyAscii(String128 dest, const char* text, size_t length)
{
    length = std::min(length, kString128Chars - 1);
    for (size_t i = 0; i < length; ++i)
        dest[i] = static_cast<TChar>(static_cast<unsigned char>(text[i]));
    dest[length] = 0;
}

// Fixed-point text, independent of the process locale: hosts may switch it
// and the host must read the same digits everywhere.
void printFixed(ParamValue value, int32 precision, String128 string)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value,
                                      std::chars_format::fixed, std::clamp(precision, 0, 16));
    if (result.ec != std::errc())
    {
        string[0] = 0;
        return;
    }
    copyAscii(string, buffer, static_cast<size_t>(result.ptr - buffer));
}

// Reads a decimal number from the start of the text (leading blanks and a
// plus sign allowed), independent of the process locale.
bool scanNumber(const TChar* string, ParamValue& value)
{
    if (string == nullptr)
        return false;
    char buffer[kString128Chars];
    const size_t n = textLength(string, sizeof(buffer) - 1);
    size_t used = 0;
    for (size_t i = 0; i < n; ++i)
    {
        if (string[i] > 0x7F)
            break; // no digit beyond ASCII
        buffer[used++] = static_cast<char>(string[i]);
    }
    const char* begin = buffer;
    const char* end = buffer + used;
    while (begin < end && (*begin == ' ' || *begin == '\t'))
        ++begin;
    if (begin < end && *begin == '+')
        ++begin;
    double parsed = 0.;
    const auto result = std::from_chars(begin, end, parsed);
    if (result.ec != std::errc() || result.ptr == begin)
        return false;
    value = parsed;
    return true;
}

} // namespace

//------------------------------------------------------------------------
Parameter::Parameter() = default;

Parameter::Parameter(const ParameterInfo& paramInfo)
    : info(paramInfo), valueNormalized(paramInfo.defaultNormalizedValue)
{
}

Parameter::Parameter(const TChar* title, ParamID tag, const TChar* units,
                     ParamValue defaultValueNormalized, int32 stepCount, int32 flags, UnitID unitID,
                     const TChar* shortTitle)
{
    copyText(info.title, title);
    copyText(info.units, units);
    copyText(info.shortTitle, shortTitle);
    info.id = tag;
    info.stepCount = stepCount;
    info.defaultNormalizedValue = defaultValueNormalized;
    info.flags = flags;
    info.unitId = unitID;
    valueNormalized = defaultValueNormalized;
}

Parameter::~Parameter() = default;

bool Parameter::setNormalized(ParamValue v)
{
    if (!(v >= 0.))
        v = 0.; // also catches NaN
    else if (v > 1.)
        v = 1.;
    if (valueNormalized.exchange(v) == v)
        return false;
    changed();
    return true;
}

void Parameter::toString(ParamValue normValue, String128 string) const
{
    if (string == nullptr)
        return;
    if (info.stepCount == 1)
    {
        copyAscii(string, normValue > 0.5 ? "On" : "Off", normValue > 0.5 ? 2 : 3);
        return;
    }
    printFixed(normValue, precision, string);
}

bool Parameter::fromString(const TChar* string, ParamValue& normValue) const
{
    return scanNumber(string, normValue);
}

ParamValue Parameter::toPlain(ParamValue normValue) const
{
    return normValue;
}

ParamValue Parameter::toNormalized(ParamValue plainValue) const
{
    return plainValue;
}

//------------------------------------------------------------------------
RangeParameter::RangeParameter(const ParameterInfo& paramInfo, ParamValue min, ParamValue max)
    : Parameter(paramInfo), minPlain(min), maxPlain(max)
{
}

RangeParameter::RangeParameter(const TChar* title, ParamID tag, const TChar* units, ParamValue min,
                               ParamValue max, ParamValue defaultValuePlain, int32 stepCount,
                               int32 flags, UnitID unitID, const TChar* shortTitle)
    : Parameter(title, tag, units, 0., stepCount, flags, unitID, shortTitle), minPlain(min),
      maxPlain(max)
{
    info.defaultNormalizedValue = valueNormalized = toNormalized(defaultValuePlain);
}

void RangeParameter::toString(ParamValue normValue, String128 string) const
{
    if (string == nullptr)
        return;
    if (info.stepCount == 1)
    {
        Parameter::toString(normValue, string);
        return;
    }
    printFixed(toPlain(normValue), info.stepCount > 1 ? 0 : precision, string);
}

bool RangeParameter::fromString(const TChar* string, ParamValue& normValue) const
{
    ParamValue plain = 0.;
    if (!scanNumber(string, plain))
        return false;
    normValue =
        toNormalized(std::clamp(plain, std::min(minPlain, maxPlain), std::max(minPlain, maxPlain)));
    return true;
}

ParamValue RangeParameter::toPlain(ParamValue normValue) const
{
    if (info.stepCount > 1)
        return minPlain +
               std::min<ParamValue>(info.stepCount, std::floor(normValue * (info.stepCount + 1)));
    return normValue * (maxPlain - minPlain) + minPlain;
}

ParamValue RangeParameter::toNormalized(ParamValue plainValue) const
{
    if (info.stepCount > 1)
        return (plainValue - minPlain) / info.stepCount;
    if (maxPlain == minPlain)
        return 0.;
    return (plainValue - minPlain) / (maxPlain - minPlain);
}

//------------------------------------------------------------------------
StringListParameter::StringListParameter(const ParameterInfo& paramInfo) : Parameter(paramInfo)
{
    info.stepCount = -1; // no string yet
}

StringListParameter::StringListParameter(const TChar* title, ParamID tag, const TChar* units,
                                         int32 flags, UnitID unitID, const TChar* shortTitle)
    : Parameter(title, tag, units, 0., -1, flags, unitID, shortTitle)
{
}

StringListParameter::~StringListParameter() = default;

void StringListParameter::appendString(const String128 string)
{
    const TChar* text = string != nullptr ? string : STR16("");
    strings.emplace_back(text, text + textLength(text, kString128Chars - 1));
    info.stepCount++;
}

bool StringListParameter::replaceString(int32 index, const String128 string)
{
    if (index < 0 || static_cast<size_t>(index) >= strings.size() || string == nullptr)
        return false;
    strings[static_cast<size_t>(index)].assign(string,
                                               string + textLength(string, kString128Chars - 1));
    return true;
}

void StringListParameter::toString(ParamValue normValue, String128 string) const
{
    if (string == nullptr)
        return;
    const auto index = static_cast<size_t>(toPlain(normValue));
    if (index < strings.size())
        copyText(string, strings[index].c_str());
    else
        string[0] = 0;
}

bool StringListParameter::fromString(const TChar* string, ParamValue& normValue) const
{
    if (string == nullptr)
        return false;
    const std::u16string wanted(string, string + textLength(string, kString128Chars - 1));
    for (size_t i = 0; i < strings.size(); ++i)
    {
        if (strings[i] == wanted)
        {
            normValue = toNormalized(static_cast<ParamValue>(i));
            return true;
        }
    }
    return false;
}

ParamValue StringListParameter::toPlain(ParamValue normValue) const
{
    if (info.stepCount <= 0)
        return 0.;
    // Bound first: a NaN or out-of-range value must still name a list entry.
    const ParamValue v = normValue >= 0. ? std::min(normValue, 1.) : 0.;
    return std::min<ParamValue>(info.stepCount, static_cast<int32>(v * (info.stepCount + 1)));
}

ParamValue StringListParameter::toNormalized(ParamValue plainValue) const
{
    if (info.stepCount <= 0)
        return 0.;
    return plainValue / info.stepCount;
}

//------------------------------------------------------------------------
ParameterContainer::ParameterContainer() = default;

ParameterContainer::~ParameterContainer() = default;

void ParameterContainer::init(int32 initialSize, int32 /*resizeDelta*/)
{
    if (initialSize > 0)
        params.reserve(static_cast<size_t>(initialSize));
}

Parameter* ParameterContainer::addParameter(Parameter* p)
{
    if (p == nullptr)
        return nullptr;
    // Taken over first, so that the parameter is released, not lost, when
    // the container cannot grow.
    IPtr<Parameter> owner(p, false);
    params.push_back(owner);
    try
    {
        id2index[p->getInfo().id] = params.size() - 1;
    }
    catch (...)
    {
        params.pop_back();
        throw;
    }
    return p;
}

Parameter* ParameterContainer::addParameter(const ParameterInfo& info)
{
    return addParameter(new Parameter(info));
}

Parameter* ParameterContainer::addParameter(const TChar* title, const TChar* units, int32 stepCount,
                                            ParamValue defaultValueNormalized, int32 flags,
                                            int32 tag, UnitID unitID, const TChar* shortTitle)
{
    if (title == nullptr)
        return nullptr;
    const ParamID id = tag >= 0 ? static_cast<ParamID>(tag) : static_cast<ParamID>(params.size());
    return addParameter(new Parameter(title, id, units, defaultValueNormalized, stepCount, flags,
                                      unitID, shortTitle));
}

Parameter* ParameterContainer::getParameter(ParamID tag) const
{
    const auto it = id2index.find(tag);
    return it != id2index.end() ? params[it->second].get() : nullptr;
}

Parameter* ParameterContainer::getParameterByIndex(int32 index) const
{
    if (index < 0 || static_cast<size_t>(index) >= params.size())
        return nullptr;
    return params[static_cast<size_t>(index)].get();
}

bool ParameterContainer::removeParameter(ParamID tag)
{
    const auto it = id2index.find(tag);
    if (it == id2index.end())
        return false;
    params.erase(params.begin() + static_cast<std::ptrdiff_t>(it->second));
    // Indices behind the removed one move down by one.
    id2index.clear();
    for (size_t i = 0; i < params.size(); ++i)
        id2index[params[i]->getInfo().id] = i;
    return true;
}

void ParameterContainer::removeAll()
{
    id2index.clear();
    params.clear();
}

} // namespace Vst
} // namespace Steinberg
