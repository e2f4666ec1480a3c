#include "hostkit/plugin_module.h"

#include "hostkit/host_error.h"
#include "hostkit/text.h"

#include <cstdio>
#include <cstring>

namespace ferrulith::host
{

using namespace Steinberg;

ClassId toClassId(const TUID tuid)
{
    ClassId cid;
    std::memcpy(cid.data(), tuid, cid.size());
    return cid;
}

std::string classIdText(const ClassId& cid)
{
    std::string text;
    char digits[3];
    for (std::uint8_t byte : cid)
    {
        std::snprintf(digits, sizeof digits, "%02X", byte);
        text += digits;
    }
    return text;
}

std::string resultText(tresult result)
{
    switch (result)
    {
    case kResultOk:
        return "kResultOk";
    case kResultFalse:
        return "kResultFalse";
    case kNoInterface:
        return "kNoInterface";
    case kInvalidArgument:
        return "kInvalidArgument";
    case kNotImplemented:
        return "kNotImplemented";
    case kInternalError:
        return "kInternalError";
    case kNotInitialized:
        return "kNotInitialized";
    case kOutOfMemory:
        return "kOutOfMemory";
    default:
        return "result " + std::to_string(result);
    }
}

FactoryListing listFactory(IPluginFactory* factory)
{
    if (!factory)
        throw HostError("the module gave no factory");
    FactoryListing listing;
    PFactoryInfo info;
    if (factory->getFactoryInfo(&info) != kResultOk)
        throw HostError("the factory does not describe itself (getFactoryInfo failed)");
    listing.info = {boundedString(info.vendor), boundedString(info.url), boundedString(info.email),
                    info.flags};

    auto factory2 = queryInterface<IPluginFactory2>(factory);
    auto factory3 = queryInterface<IPluginFactory3>(factory);
    listing.hasFactory2 = bool(factory2);
    listing.hasFactory3 = bool(factory3);

    const int32 count = factory->countClasses();
    if (count < 0)
        throw HostError("the factory reports a negative class count");
    for (int32 index = 0; index < count; ++index)
    {
        ClassRecord record;
        record.index = index;
        PClassInfo basic;
        if (factory->getClassInfo(index, &basic) != kResultOk)
            throw HostError("the factory cannot describe its class " + std::to_string(index));
        record.cid = toClassId(basic.cid);
        record.cardinality = basic.cardinality;
        record.category = boundedString(basic.category);
        record.name = boundedString(basic.name);

        PClassInfo2 info2;
        if (factory2 && factory2->getClassInfo2(index, &info2) == kResultOk)
        {
            record.hasInfo2 = true;
            record.classFlags = info2.classFlags;
            record.subCategories = boundedString(info2.subCategories);
            record.vendor = boundedString(info2.vendor);
            record.version = boundedString(info2.version);
            record.sdkVersion = boundedString(info2.sdkVersion);
        }
        PClassInfoW infoW;
        if (factory3 && factory3->getClassInfoUnicode(index, &infoW) == kResultOk)
        {
            record.hasUnicodeInfo = true;
            record.unicodeName = utf8FromUtf16(infoW.name);
            record.unicodeVendor = utf8FromUtf16(infoW.vendor);
            record.unicodeVersion = utf8FromUtf16(infoW.version);
            record.unicodeSdkVersion = utf8FromUtf16(infoW.sdkVersion);
        }
        listing.classes.push_back(record);
    }
    return listing;
}

PluginModule::PluginModule(const std::string& path) : bundlePath(path)
{
    std::string error;
    if (!library.open(moduleFileInBundle(path), error))
        throw HostError(error);
    pluginFactory = requestFactory();
    if (!pluginFactory)
        throw HostError("the module " + path + " gave no factory (GetPluginFactory answered null)");
    host = makeHostObject<HostApplication>();
    // A factory that takes a host context gets ours before it makes anything.
    if (auto factory3 = queryInterface<IPluginFactory3>(pluginFactory))
        factory3->setHostContext(host.get());
    cachedListing = listFactory(pluginFactory.get());
}

PluginModule::~PluginModule()
{
    // The factory and the host context must go before the module's code does.
    pluginFactory.reset();
    host.reset();
    library.close();
}

std::optional<ClassRecord> PluginModule::findClass(const std::string& category) const
{
    for (const ClassRecord& record : cachedListing.classes)
        if (record.category == category)
            return record;
    return std::nullopt;
}

VstPtr<IPluginFactory> PluginModule::requestFactory() const
{
    GetFactoryFunction getFactory = library.factoryFunction();
    return VstPtr<IPluginFactory>::adopt(getFactory ? getFactory() : nullptr);
}

void* PluginModule::createRaw(const ClassId& cid, const TUID iid) const
{
    TUID classId;
    std::memcpy(classId, cid.data(), cid.size());
    void* object = nullptr;
    const tresult result = pluginFactory->createInstance(classId, iid, &object);
    if (result != kResultOk || !object)
    {
        if (result == kResultOk && object == nullptr)
            throw HostError("the factory made no object for class " + classIdText(cid));
        throw HostError("the factory cannot make class " + classIdText(cid) +
                        " with the interface asked for (" + resultText(result) + ")");
    }
    return object;
}

} // namespace ferrulith::host
