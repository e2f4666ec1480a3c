#include "public.sdk/source/main/pluginfactory.h"

#include "public.sdk/source/vst/utility/stringconvert.h"

#include <new>
#include <string>

namespace Steinberg
{

CPluginFactory* gPluginFactory = nullptr;

namespace
{

// UTF-16 into a fixed field, cut at a character boundary.
template <size_t N> void toField(char16 (&dest)[N], const char8 (&src)[N])
{
    const std::string text = Steinberg::Vst::StringConvert::convert(src, static_cast<uint32>(N));
    Steinberg::Vst::StringConvert::convert(text, dest, static_cast<uint32>(N));
}

template <size_t N> void toField(char8 (&dest)[N], const char16 (&src)[N])
{
    const std::string text = Steinberg::Vst::StringConvert::convert(src, static_cast<uint32>(N));
    FactoryDetail::copyField(dest, text.c_str(), static_cast<int32>(N));
}

// The UTF-16 record carries the same texts as the 8-bit one.
PClassInfoW widen(const PClassInfo2& info8)
{
    PClassInfoW info16;
    info16.fromAscii(info8); // identifier, numbers and the fields that stay 8-bit
    toField(info16.name, info8.name);
    toField(info16.vendor, info8.vendor);
    toField(info16.version, info8.version);
    toField(info16.sdkVersion, info8.sdkVersion);
    return info16;
}

PClassInfo2 narrow(const PClassInfoW& info16)
{
    PClassInfo2 info8;
    std::memcpy(info8.cid, info16.cid, sizeof(TUID));
    info8.cardinality = info16.cardinality;
    std::memcpy(info8.category, info16.category, sizeof(info8.category));
    toField(info8.name, info16.name);
    info8.classFlags = info16.classFlags;
    std::memcpy(info8.subCategories, info16.subCategories, sizeof(info8.subCategories));
    toField(info8.vendor, info16.vendor);
    toField(info8.version, info16.version);
    toField(info8.sdkVersion, info16.sdkVersion);
    return info8;
}

} // namespace

CPluginFactory::CPluginFactory(const PFactoryInfo& info)
    : factoryInfo(info){FUNKNOWN_CTOR}

      CPluginFactory::~CPluginFactory()
{
    if (gPluginFactory == this)
        gPluginFactory = nullptr;
}

IMPLEMENT_REFCOUNT(CPluginFactory)

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID _iid, void** obj)
{
    if (obj == nullptr)
        return kInvalidArgument;
    if (_iid == nullptr)
    {
        *obj = nullptr;
        return kInvalidArgument;
    }
    QUERY_INTERFACE(_iid, obj, IPluginFactory::iid, IPluginFactory)
    QUERY_INTERFACE(_iid, obj, IPluginFactory2::iid, IPluginFactory2)
    QUERY_INTERFACE(_iid, obj, IPluginFactory3::iid, IPluginFactory3)
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IPluginFactory)
    *obj = nullptr;
    return kNoInterface;
}

bool CPluginFactory::addEntry(const PClassEntry& entry)
{
    classes.push_back(entry);
    return true;
}

bool CPluginFactory::registerClass(const PClassInfo* info, CreateFunction createFunc, void* context)
{
    if (info == nullptr || createFunc == nullptr)
        return false;
    PClassInfo2 info8;
    std::memcpy(info8.cid, info->cid, sizeof(TUID));
    info8.cardinality = info->cardinality;
    std::memcpy(info8.category, info->category, sizeof(info8.category));
    std::memcpy(info8.name, info->name, sizeof(info8.name));
    try
    {
        return addEntry({info8, widen(info8), createFunc, context});
    }
    catch (...)
    {
        return false; // out of memory: the class is not offered
    }
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateFunction createFunc,
                                   void* context)
{
    if (info == nullptr || createFunc == nullptr)
        return false;
    try
    {
        return addEntry({*info, widen(*info), createFunc, context});
    }
    catch (...)
    {
        return false; // out of memory: the class is not offered
    }
}

bool CPluginFactory::registerClass(const PClassInfoW* info, CreateFunction createFunc,
                                   void* context)
{
    if (info == nullptr || createFunc == nullptr)
        return false;
    try
    {
        return addEntry({narrow(*info), *info, createFunc, context});
    }
    catch (...)
    {
        return false; // out of memory: the class is not offered
    }
}

bool CPluginFactory::isClassRegistered(const FUID& cid)
{
    for (const auto& entry : classes)
        if (FUnknownPrivate::iidEqual(entry.info8.cid, cid.toTUID()))
            return true;
    return false;
}

void CPluginFactory::removeAllClasses()
{
    classes.clear();
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info)
{
    if (info == nullptr)
        return kInvalidArgument;
    *info = factoryInfo;
    return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses()
{
    return static_cast<int32>(classes.size());
}

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info)
{
    if (info == nullptr || index < 0 || index >= countClasses())
        return kInvalidArgument;
    const PClassInfo2& entry = classes[static_cast<size_t>(index)].info8;
    std::memcpy(info->cid, entry.cid, sizeof(TUID));
    info->cardinality = entry.cardinality;
    std::memcpy(info->category, entry.category, sizeof(info->category));
    std::memcpy(info->name, entry.name, sizeof(info->name));
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info)
{
    if (info == nullptr || index < 0 || index >= countClasses())
        return kInvalidArgument;
    *info = classes[static_cast<size_t>(index)].info8;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info)
{
    if (info == nullptr || index < 0 || index >= countClasses())
        return kInvalidArgument;
    *info = classes[static_cast<size_t>(index)].info16;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString _iid, void** obj)
{
    if (obj == nullptr)
        return kInvalidArgument;
    *obj = nullptr;
    if (cid == nullptr || _iid == nullptr)
        return kInvalidArgument;
    for (const auto& entry : classes)
    {
        if (!FUnknownPrivate::iidEqual(entry.info8.cid, cid))
            continue;
        FUnknown* instance = entry.createFunc(entry.context);
        if (instance == nullptr)
            break;
        // The host keeps only the interface it asked for; the creation
        // reference goes either way.
        const tresult result = instance->queryInterface(_iid, obj);
        instance->release();
        if (result == kResultOk && *obj != nullptr)
            return kResultOk;
        *obj = nullptr;
        break;
    }
    return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown* /*context*/)
{
    return kNotImplemented;
}

} // namespace Steinberg
