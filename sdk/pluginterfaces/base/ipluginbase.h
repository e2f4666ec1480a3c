// IPluginBase (the first two methods of every plug-in class), the class
// factory interfaces and the records a factory describes itself with.
#pragma once

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/base/fstrdefs.h"

#include <cstring>

namespace Steinberg
{

// Set-up and tear-down of a plug-in object; context is the host's
// IHostApplication (or any FUnknown the host chooses).
class IPluginBase : public FUnknown
{
public:
    virtual tresult PLUGIN_API initialize(FUnknown* context) = 0;
    virtual tresult PLUGIN_API terminate() = 0;

    static const FUID iid;
};
DECLARE_CLASS_IID(IPluginBase, 0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625)

namespace FactoryDetail
{
// Copies text into a fixed record field, always zero-terminated and cut at
// the field's end.
template <class T> inline void copyField(T* dest, const T* src, int32 size)
{
    int32 i = 0;
    if (src)
        for (; i < size - 1 && src[i]; ++i)
            dest[i] = src[i];
    for (; i < size; ++i)
        dest[i] = 0;
}
} // namespace FactoryDetail

#include "pluginterfaces/base/falignpush.h"

struct PFactoryInfo
{
    enum FactoryFlags
    {
        kNoFlags = 0,
        kClassesDiscardable = 1 << 0,
        kLicenseCheck = 1 << 1,
        kComponentNonDiscardable = 1 << 3,
        kUnicode = 1 << 4
    };
    enum
    {
        kURLSize = 256,
        kEmailSize = 128,
        kNameSize = 64
    };

    char8 vendor[kNameSize];
    char8 url[kURLSize];
    char8 email[kEmailSize];
    int32 flags;

    PFactoryInfo(const char8* _vendor, const char8* _url, const char8* _email, int32 _flags)
    {
        FactoryDetail::copyField(vendor, _vendor, kNameSize);
        FactoryDetail::copyField(url, _url, kURLSize);
        FactoryDetail::copyField(email, _email, kEmailSize);
        flags = _flags;
    }
    PFactoryInfo() { std::memset(this, 0, sizeof(PFactoryInfo)); }
};

struct PClassInfo
{
    enum ClassCardinality
    {
        kManyInstances = 0x7FFFFFFF
    };
    enum
    {
        kCategorySize = 32,
        kNameSize = 64
    };

    TUID cid;
    int32 cardinality;
    char8 category[kCategorySize];
    char8 name[kNameSize];

    PClassInfo(const TUID _cid, int32 _cardinality, const char8* _category, const char8* _name)
    {
        std::memset(this, 0, sizeof(PClassInfo));
        std::memcpy(cid, _cid, sizeof(TUID));
        cardinality = _cardinality;
        FactoryDetail::copyField(category, _category, kCategorySize);
        FactoryDetail::copyField(name, _name, kNameSize);
    }
    PClassInfo() { std::memset(this, 0, sizeof(PClassInfo)); }
};

#include "pluginterfaces/base/falignpop.h"

// The class factory a module hands out from GetPluginFactory.
class IPluginFactory : public FUnknown
{
public:
    virtual tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) = 0;
    virtual int32 PLUGIN_API countClasses() = 0;
    virtual tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) = 0;
    virtual tresult PLUGIN_API createInstance(FIDString cid, FIDString _iid, void** obj) = 0;

    static const FUID iid;
};
DECLARE_CLASS_IID(IPluginFactory, 0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F)

#include "pluginterfaces/base/falignpush.h"

struct PClassInfo2
{
    enum
    {
        kVendorSize = 64,
        kVersionSize = 64,
        kSubCategoriesSize = 128
    };

    TUID cid;
    int32 cardinality;
    char8 category[PClassInfo::kCategorySize];
    char8 name[PClassInfo::kNameSize];
    uint32 classFlags;
    char8 subCategories[kSubCategoriesSize];
    char8 vendor[kVendorSize];
    char8 version[kVersionSize];
    char8 sdkVersion[kVersionSize];

    PClassInfo2(const TUID _cid, int32 _cardinality, const char8* _category, const char8* _name,
                int32 _classFlags, const char8* _subCategories, const char8* _vendor,
                const char8* _version, const char8* _sdkVersion)
    {
        std::memset(this, 0, sizeof(PClassInfo2));
        std::memcpy(cid, _cid, sizeof(TUID));
        cardinality = _cardinality;
        FactoryDetail::copyField(category, _category, PClassInfo::kCategorySize);
        FactoryDetail::copyField(name, _name, PClassInfo::kNameSize);
        classFlags = static_cast<uint32>(_classFlags);
        FactoryDetail::copyField(subCategories, _subCategories, kSubCategoriesSize);
        FactoryDetail::copyField(vendor, _vendor, kVendorSize);
        FactoryDetail::copyField(version, _version, kVersionSize);
        FactoryDetail::copyField(sdkVersion, _sdkVersion, kVersionSize);
    }
    PClassInfo2() { std::memset(this, 0, sizeof(PClassInfo2)); }
};

#include "pluginterfaces/base/falignpop.h"

class IPluginFactory2 : public IPluginFactory
{
public:
    virtual tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) = 0;

    static const FUID iid;
};
DECLARE_CLASS_IID(IPluginFactory2, 0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB)

#include "pluginterfaces/base/falignpush.h"

// The class record with UTF-16 name, vendor and versions.
struct PClassInfoW
{
    TUID cid;
    int32 cardinality;
    char8 category[PClassInfo::kCategorySize];
    char16 name[PClassInfo::kNameSize];
    uint32 classFlags;
    char8 subCategories[PClassInfo2::kSubCategoriesSize];
    char16 vendor[PClassInfo2::kVendorSize];
    char16 version[PClassInfo2::kVersionSize];
    char16 sdkVersion[PClassInfo2::kVersionSize];

    PClassInfoW(const TUID _cid, int32 _cardinality, const char8* _category, const char16* _name,
                int32 _classFlags, const char8* _subCategories, const char16* _vendor,
                const char16* _version, const char16* _sdkVersion)
    {
        std::memset(this, 0, sizeof(PClassInfoW));
        std::memcpy(cid, _cid, sizeof(TUID));
        cardinality = _cardinality;
        FactoryDetail::copyField(category, _category, PClassInfo::kCategorySize);
        FactoryDetail::copyField(name, _name, PClassInfo::kNameSize);
        classFlags = static_cast<uint32>(_classFlags);
        FactoryDetail::copyField(subCategories, _subCategories, PClassInfo2::kSubCategoriesSize);
        FactoryDetail::copyField(vendor, _vendor, PClassInfo2::kVendorSize);
        FactoryDetail::copyField(version, _version, PClassInfo2::kVersionSize);
        FactoryDetail::copyField(sdkVersion, _sdkVersion, PClassInfo2::kVersionSize);
    }
    PClassInfoW() { std::memset(this, 0, sizeof(PClassInfoW)); }

    // Widens the 8-bit texts of a PClassInfo2 unit by unit (ASCII only).
    void fromAscii(const PClassInfo2& ci2)
    {
        std::memcpy(cid, ci2.cid, sizeof(TUID));
        cardinality = ci2.cardinality;
        FactoryDetail::copyField(category, ci2.category, PClassInfo::kCategorySize);
        widen(name, ci2.name, PClassInfo::kNameSize);
        classFlags = ci2.classFlags;
        FactoryDetail::copyField(subCategories, ci2.subCategories, PClassInfo2::kSubCategoriesSize);
        widen(vendor, ci2.vendor, PClassInfo2::kVendorSize);
        widen(version, ci2.version, PClassInfo2::kVersionSize);
        widen(sdkVersion, ci2.sdkVersion, PClassInfo2::kVersionSize);
    }

private:
    static void widen(char16* dest, const char8* src, int32 size)
    {
        int32 i = 0;
        for (; i < size - 1 && src[i]; ++i)
            dest[i] = static_cast<char16>(static_cast<uint8>(src[i]));
        for (; i < size; ++i)
            dest[i] = 0;
    }
};

#include "pluginterfaces/base/falignpop.h"

class IPluginFactory3 : public IPluginFactory2
{
public:
    virtual tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
    virtual tresult PLUGIN_API setHostContext(FUnknown* context) = 0;

    static const FUID iid;
};
DECLARE_CLASS_IID(IPluginFactory3, 0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931)

} // namespace Steinberg

// The module's one entry point that every platform exports.
extern "C"
{
    SMTG_EXPORT_SYMBOL Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory();
    typedef Steinberg::IPluginFactory*(PLUGIN_API* GetFactoryProc)();
}
