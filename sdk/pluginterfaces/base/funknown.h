// FUnknown, the root of every VST 3 interface, the 16-byte identifiers that
// name interfaces and classes (TUID, FUID), the result codes and the macros
// that declare identifiers and implement reference counting.
#pragma once

#include "pluginterfaces/base/fplatform.h"
#include "pluginterfaces/base/ftypes.h"
#include "pluginterfaces/base/smartpointer.h"

#include <cstring>

namespace Steinberg
{

// ---------------------------------------------------------------------------
// Result codes. Windows uses the COM HRESULT values, every other platform the
// small integers below; modules must answer with their own platform's codes.
#if COM_COMPATIBLE
enum
{
    kNoInterface = static_cast<tresult>(0x80004002L),
    kResultOk = static_cast<tresult>(0x00000000L),
    kResultTrue = kResultOk,
    kResultFalse = static_cast<tresult>(0x00000001L),
    kInvalidArgument = static_cast<tresult>(0x80070057L),
    kNotImplemented = static_cast<tresult>(0x80004001L),
    kInternalError = static_cast<tresult>(0x80004005L),
    kNotInitialized = static_cast<tresult>(0x8000FFFFL),
    kOutOfMemory = static_cast<tresult>(0x8007000EL)
};
#else
enum
{
    kNoInterface = -1,
    kResultOk,
    kResultTrue = kResultOk,
    kResultFalse,
    kInvalidArgument,
    kNotImplemented,
    kInternalError,
    kNotInitialized,
    kOutOfMemory
};
#endif

typedef int64 LARGE_INT;

// A plain 16-byte identifier as it crosses the interfaces.
typedef int8 TUID[16];

namespace FUnknownPrivate
{
// True when both point at the same 16 identifier bytes.
inline bool iidEqual(const void* iid1, const void* iid2)
{
    return std::memcmp(iid1, iid2, sizeof(TUID)) == 0;
}
// Atomically adds amount to value and returns the new value.
int32 PLUGIN_API atomicAdd(int32& value, int32 amount);
} // namespace FUnknownPrivate

// ---------------------------------------------------------------------------
// Laying four 32-bit words out as 16 identifier bytes. On COM-compatible
// platforms the first word and the two halves of the second are stored
// little-endian (the GUID layout); elsewhere all four words are big-endian.
#define SMTG_UID_BYTE(word, shift)                                                                 \
    static_cast<::Steinberg::int8>((static_cast<::Steinberg::uint32>(word) >> (shift)) & 0xFF)

#if COM_COMPATIBLE
#define INLINE_UID(l1, l2, l3, l4)                                                                 \
    {                                                                                              \
        SMTG_UID_BYTE(l1, 0), SMTG_UID_BYTE(l1, 8), SMTG_UID_BYTE(l1, 16), SMTG_UID_BYTE(l1, 24),  \
            SMTG_UID_BYTE(l2, 16), SMTG_UID_BYTE(l2, 24), SMTG_UID_BYTE(l2, 0),                    \
            SMTG_UID_BYTE(l2, 8), SMTG_UID_BYTE(l3, 24), SMTG_UID_BYTE(l3, 16),                    \
            SMTG_UID_BYTE(l3, 8), SMTG_UID_BYTE(l3, 0), SMTG_UID_BYTE(l4, 24),                     \
            SMTG_UID_BYTE(l4, 16), SMTG_UID_BYTE(l4, 8), SMTG_UID_BYTE(l4, 0)                      \
    }
#else
#define INLINE_UID(l1, l2, l3, l4)                                                                 \
    {                                                                                              \
        SMTG_UID_BYTE(l1, 24), SMTG_UID_BYTE(l1, 16), SMTG_UID_BYTE(l1, 8), SMTG_UID_BYTE(l1, 0),  \
            SMTG_UID_BYTE(l2, 24), SMTG_UID_BYTE(l2, 16), SMTG_UID_BYTE(l2, 8),                    \
            SMTG_UID_BYTE(l2, 0), SMTG_UID_BYTE(l3, 24), SMTG_UID_BYTE(l3, 16),                    \
            SMTG_UID_BYTE(l3, 8), SMTG_UID_BYTE(l3, 0), SMTG_UID_BYTE(l4, 24),                     \
            SMTG_UID_BYTE(l4, 16), SMTG_UID_BYTE(l4, 8), SMTG_UID_BYTE(l4, 0)                      \
    }
#endif

#define DECLARE_UID(name, l1, l2, l3, l4) ::Steinberg::TUID name = INLINE_UID(l1, l2, l3, l4);
#define EXTERN_UID(name) extern const ::Steinberg::TUID name;

// Inside the interface's namespace, after the class: names the identifier.
// DEF_CLASS_IID then defines the class's static `iid` in exactly one source.
#define DECLARE_CLASS_IID(ClassName, l1, l2, l3, l4)                                               \
    static const ::Steinberg::TUID ClassName##_iid = INLINE_UID(l1, l2, l3, l4);
#define DEF_CLASS_IID(ClassName) const ::Steinberg::FUID ClassName::iid(ClassName##_iid);
#define INLINE_UID_OF(ClassName) ClassName##_iid
#define INLINE_UID_FROM_FUID(x) INLINE_UID(x.getLong1(), x.getLong2(), x.getLong3(), x.getLong4())

// ---------------------------------------------------------------------------
// Macros for classes that implement FUnknown without FObject.
#define DECLARE_FUNKNOWN_METHODS                                                                   \
public:                                                                                            \
    virtual ::Steinberg::tresult PLUGIN_API queryInterface(const ::Steinberg::TUID _iid,           \
                                                           void** obj) SMTG_OVERRIDE;              \
    virtual ::Steinberg::uint32 PLUGIN_API addRef() SMTG_OVERRIDE;                                 \
    virtual ::Steinberg::uint32 PLUGIN_API release() SMTG_OVERRIDE;                                \
                                                                                                   \
protected:                                                                                         \
    ::Steinberg::int32 __funknownRefCount;                                                         \
                                                                                                   \
public:

#define FUNKNOWN_CTOR                                                                              \
    {                                                                                              \
        __funknownRefCount = 1;                                                                    \
    }
#define FUNKNOWN_DTOR

#define DELEGATE_REFCOUNT(ClassName)                                                               \
public:                                                                                            \
    virtual ::Steinberg::uint32 PLUGIN_API addRef() SMTG_OVERRIDE                                  \
    {                                                                                              \
        return ClassName::addRef();                                                                \
    }                                                                                              \
    virtual ::Steinberg::uint32 PLUGIN_API release() SMTG_OVERRIDE                                 \
    {                                                                                              \
        return ClassName::release();                                                               \
    }

#define IMPLEMENT_REFCOUNT(ClassName)                                                              \
    ::Steinberg::uint32 PLUGIN_API ClassName::addRef()                                             \
    {                                                                                              \
        return ::Steinberg::FUnknownPrivate::atomicAdd(__funknownRefCount, 1);                     \
    }                                                                                              \
    ::Steinberg::uint32 PLUGIN_API ClassName::release()                                            \
    {                                                                                              \
        if (::Steinberg::FUnknownPrivate::atomicAdd(__funknownRefCount, -1) == 0)                  \
        {                                                                                          \
            delete this;                                                                           \
            return 0;                                                                              \
        }                                                                                          \
        return __funknownRefCount;                                                                 \
    }

// Answers the query with InterfaceName when iid names InterfaceIID.
#define QUERY_INTERFACE(iid, obj, InterfaceIID, InterfaceName)                                     \
    if (::Steinberg::FUnknownPrivate::iidEqual(iid, InterfaceIID))                                 \
    {                                                                                              \
        addRef();                                                                                  \
        *obj = static_cast<InterfaceName*>(this);                                                  \
        return ::Steinberg::kResultOk;                                                             \
    }

#define IMPLEMENT_QUERYINTERFACE(ClassName, InterfaceName, ClassIID)                               \
    ::Steinberg::tresult PLUGIN_API ClassName::queryInterface(const ::Steinberg::TUID _iid,        \
                                                              void** obj)                          \
    {                                                                                              \
        QUERY_INTERFACE(_iid, obj, ::Steinberg::FUnknown::iid, InterfaceName)                      \
        QUERY_INTERFACE(_iid, obj, ClassIID, InterfaceName)                                        \
        *obj = nullptr;                                                                            \
        return ::Steinberg::kNoInterface;                                                          \
    }

#define IMPLEMENT_FUNKNOWN_METHODS(ClassName, InterfaceName, ClassIID)                             \
    IMPLEMENT_REFCOUNT(ClassName)                                                                  \
    IMPLEMENT_QUERYINTERFACE(ClassName, InterfaceName, ClassIID)

// ---------------------------------------------------------------------------
// A 16-byte identifier held as the bytes that cross the interfaces, built
// from and read back as the four 32-bit words that name it in source code.
class FUID
{
public:
    constexpr FUID() : data{} {}
    FUID(uint32 l1, uint32 l2, uint32 l3, uint32 l4) { from4Int(l1, l2, l3, l4); }
    FUID(const FUID& other) = default;
    FUID& operator=(const FUID& other) = default;
    // Takes the 16 bytes of a TUID as they stand.
    explicit FUID(const TUID uid) { std::memcpy(data, uid, sizeof(TUID)); }

    // True unless all 16 bytes are zero.
    bool isValid() const;

    void from4Int(uint32 l1, uint32 l2, uint32 l3, uint32 l4);
    void to4Int(uint32& l1, uint32& l2, uint32& l3, uint32& l4) const;
    uint32 getLong1() const;
    uint32 getLong2() const;
    uint32 getLong3() const;
    uint32 getLong4() const;

    static FUID fromTUID(const TUID uid) { return FUID(uid); }
    void toTUID(TUID result) const { std::memcpy(result, data, sizeof(TUID)); }
    const TUID& toTUID() const { return data; }
    operator const TUID&() const { return data; }

    // 32 upper-case hexadecimal digits of the 16 bytes, zero-terminated.
    typedef char8 String[33];
    void toString(char8* string) const;
    bool fromString(const char8* string);

    bool operator==(const FUID& other) const { return FUnknownPrivate::iidEqual(data, other.data); }
    bool operator==(FIDString uid) const { return uid && FUnknownPrivate::iidEqual(data, uid); }
    bool operator!=(const FUID& other) const { return !(*this == other); }
    bool operator!=(FIDString uid) const { return !(*this == uid); }
    bool operator<(const FUID& other) const { return std::memcmp(data, other.data, 16) < 0; }

protected:
    TUID data;
};

// ---------------------------------------------------------------------------
// The basic interface: identity through queryInterface, lifetime through a
// reference count.
class FUnknown
{
public:
    virtual tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) = 0;
    virtual uint32 PLUGIN_API addRef() = 0;
    virtual uint32 PLUGIN_API release() = 0;

    static const FUID iid;
};

DECLARE_CLASS_IID(FUnknown, 0x00000000, 0x00000000, 0xC0000000, 0x00000046)

// ---------------------------------------------------------------------------
// Smart pointer that queries interface I from whatever FUnknown it is given.
template <class I> class FUnknownPtr : public IPtr<I>
{
public:
    inline FUnknownPtr(FUnknown* unknown) { assignFrom(unknown); }
    inline FUnknownPtr(const FUnknownPtr& other) : IPtr<I>(other) {}
    inline FUnknownPtr() {}

    inline FUnknownPtr& operator=(const FUnknownPtr& other)
    {
        IPtr<I>::operator=(other);
        return *this;
    }
    inline I* operator=(FUnknown* unknown)
    {
        IPtr<I>::operator=(nullptr);
        assignFrom(unknown);
        return this->ptr;
    }
    inline I* getInterface() { return this->ptr; }

private:
    void assignFrom(FUnknown* unknown)
    {
        void* found = nullptr;
        if (unknown && unknown->queryInterface(I::iid, &found) == kResultOk && found)
            this->reset(static_cast<I*>(found));
    }
};

// Releases an interface when it goes out of scope.
struct FReleaser
{
    FReleaser(FUnknown* u) : u(u) {}
    ~FReleaser()
    {
        if (u)
            u->release();
    }
    FUnknown* u;
};

} // namespace Steinberg
