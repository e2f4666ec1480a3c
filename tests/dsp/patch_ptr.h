// A patch held like any other owned object: patch_destroy frees it when its
// holder goes.
#pragma once

#include <memory>

#include "dsp/patch.h"

namespace ferrulith::test
{

struct PatchDeleter
{
    void operator()(patch_t* patch) const { patch_destroy(patch); }
};
using PatchPtr = std::unique_ptr<patch_t, PatchDeleter>;

} // namespace ferrulith::test
