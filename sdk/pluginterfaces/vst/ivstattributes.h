// IAttributeList, the typed key/value list carried by messages, and
// IStreamAttributes.
#pragma once

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg
{
namespace Vst
{

class IAttributeList : public FUnknown
{
public:
    typedef const char* AttrID;

    virtual tresult PLUGIN_API setInt(AttrID id, int64 value) = 0;
    virtual tresult PLUGIN_API getInt(AttrID id, int64& value) = 0;
    virtual tresult PLUGIN_API setFloat(AttrID id, double value) = 0;
    virtual tresult PLUGIN_API getFloat(AttrID id, double& value) = 0;
    // Zero-terminated UTF-16; sizeInBytes is the size of the caller's buffer.
    virtual tresult PLUGIN_API setString(AttrID id, const TChar* string) = 0;
    virtual tresult PLUGIN_API getString(AttrID id, TChar* string, uint32 sizeInBytes) = 0;
    virtual tresult PLUGIN_API setBinary(AttrID id, const void* data, uint32 sizeInBytes) = 0;
    virtual tresult PLUGIN_API getBinary(AttrID id, const void*& data, uint32& sizeInBytes) = 0;

    static const FUID iid;
};
DECLARE_CLASS_IID(IAttributeList, 0x1E5F0AEB, 0xCC7F4533, 0xA2544011, 0x38AD5EE4)

class IStreamAttributes : public FUnknown
{
public:
    virtual tresult PLUGIN_API getFileName(String128 name) = 0;
    virtual IAttributeList* PLUGIN_API getAttributes() = 0;

    static const FUID iid;
};
DECLARE_CLASS_IID(IStreamAttributes, 0xD6CE2FFC, 0xEFAF4B8C, 0x9E74F1BB, 0x12DA44B4)

} // namespace Vst
} // namespace Steinberg
