// The eight parameter records of a patch as data: key, range, starting value
// and default, in record order. patch_create builds its records from this
// table, so a caller that needs a range or a starting value reads it here
// instead of building a patch.
#pragma once

enum
{
    PATCH_PARAM_COUNT = 8,
};

struct patch_param_spec_t
{
    const char* name; // the parameter key
    float min;
    float max;
    float value; // where a new patch starts
    float default_value;
};

extern const patch_param_spec_t patch_param_specs[PATCH_PARAM_COUNT];
