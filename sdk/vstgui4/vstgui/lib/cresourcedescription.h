// Names a resource of the plug-in bundle, by number or by file name.
#pragma once

#include "vstgui/lib/vstguibase.h"

namespace VSTGUI
{

class CResourceDescription
{
public:
    enum
    {
        kIntegerType = 0,
        kStringType = 1,
        kUnknownType = 2
    };

    CResourceDescription() = default;
    explicit CResourceDescription(int32_t id) : type(kIntegerType) { u.id = id; }
    CResourceDescription(UTF8StringPtr name) : type(kStringType) { u.name = name; }

    CResourceDescription& operator=(int32_t id)
    {
        type = kIntegerType;
        u.id = id;
        return *this;
    }
    CResourceDescription& operator=(UTF8StringPtr name)
    {
        type = kStringType;
        u.name = name;
        return *this;
    }

    int32_t type{kUnknownType};
    union
    {
        int32_t id;
        UTF8StringPtr name;
    } u{};
};

} // namespace VSTGUI
