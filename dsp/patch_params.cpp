#include "dsp/patch_params.h"

// Starting values: normalized over their ranges they are the "default" preset.
const patch_param_spec_t patch_param_specs[PATCH_PARAM_COUNT] = {
    {"preamp", 0.0f, 1.0f, 0.4f, 0.1f}, {"noise", 0.0f, 1.0f, 0.599f, 0.3f},
    {"volume", 0.0f, 1.0f, 0.5f, 0.5f}, {"lo", -1.0f, 1.0f, 0.3f, 0.0f},
    {"res", 0.1f, 0.6f, 0.3f, 0.3f},    {"cut", 0.0f, 0.6f, 0.3f, 0.3f},
    {"hi", -1.0f, 1.0f, -0.62f, 0.0f},  {"boost", 0.0f, 1.0f, 0.61f, 0.1f},
};
