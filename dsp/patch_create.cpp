// Building and freeing a patch. Every block comes from patch_heap_alloc, and a
// failed allocation unwinds what was taken so callers can refuse cleanly.
#include "dsp/patch_internal.h"
#include "dsp/patch_params.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

struct endpoint_row
{
    const char* name;
    const char* description;
};

const endpoint_row kInputRows[2] = {{"in", "Input signal"}, {"in5", "Input signal"}};
const endpoint_row kOutputRows[2] = {{"out", "Signal output"}, {"out2", "Signal output"}};

void* alloc_zeroed(size_t size)
{
    void* block = patch_heap_alloc(size);
    if (block != nullptr)
        memset(block, 0, size);
    return block;
}

// An array of count record pointers, all null until filled. A zero-length
// array may legitimately come back null.
template <typename T> bool alloc_array(T*** array, int32_t count)
{
    *array = static_cast<T**>(alloc_zeroed(sizeof(T*) * static_cast<size_t>(count)));
    return *array != nullptr || count == 0;
}

template <typename T> bool fill_array(T** array, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
    {
        array[i] = static_cast<T*>(patch_heap_alloc(sizeof(T)));
        if (array[i] == nullptr)
            return false;
    }
    return true;
}

template <typename T> void free_array(T** array, int32_t count)
{
    if (array == nullptr)
        return;
    for (int32_t i = 0; i < count; ++i)
        free(array[i]);
}

void copy_text(char* dest, size_t capacity, const char* text)
{
    snprintf(dest, capacity, "%s", text);
}

void set_endpoint(patch_endpoint_t* endpoint, const endpoint_row& row)
{
    copy_text(endpoint->name, sizeof endpoint->name, row.name);
    copy_text(endpoint->description, sizeof endpoint->description, row.description);
    // Every step writes it before reading it; cleared so nothing ever reads junk.
    endpoint->value = 0.0f;
}

void set_param(patch_param_t* param, const patch_param_spec_t& row)
{
    copy_text(param->name, sizeof param->name, row.name);
    copy_text(param->description, sizeof param->description, "Value");
    param->min = row.min;
    param->max = row.max;
    param->default_value = row.default_value;
    param->is_integer = 0;
    param->value = row.value;
    param->flags = 0;
    param->user = 0;
}

bool init_gate(patch_gate_t* gate)
{
    gate->gain = 0.0;
    gate->state_closed = PATCH_GATE_CLOSED;
    gate->state_opening = PATCH_GATE_OPENING;
    gate->state_open = PATCH_GATE_OPEN;
    gate->state_closing = PATCH_GATE_CLOSING;
    gate->min_time = 1.0f / 192000.0f;
    gate->window_len = PATCH_GATE_WINDOW_LEN;
    gate->window = patch_alloc_floats(gate->window_len);
    gate->state = gate->state_closed;
    gate->window_pos = 0;
    gate->attack_param = 0.1f;
    gate->release_time = 0.5f;
    return gate->window != nullptr;
}

void init_band(patch_band_t* band, float freq)
{
    band->pi = 3.141592653589793;
    band->offset = 1.0 / 4294967295.0;
    band->freq = freq;
    for (double& y : band->y)
        y = 0.0;
    for (float& d : band->delay)
        d = 0.0f;
}

void clear_filter(patch_filter_t* filter)
{
    filter->b0 = 0.0f;
    filter->b1 = 0.0f;
    filter->b2 = 0.0f;
    filter->b3 = 0.0f;
    filter->b4 = 0.0f;
}

// Takes every block a patch owns, in build order; false as soon as one fails.
bool allocate_blocks(patch_t* patch)
{
    patch->name = static_cast<char*>(patch_heap_alloc(PATCH_TITLE_LEN));
    if (patch->name == nullptr)
        return false;
    copy_text(patch->name, PATCH_TITLE_LEN, "ferrulith");

    patch->input_count = 2;
    patch->output_count = 2;
    patch->param_count = PATCH_PARAM_COUNT;
    patch->resource_count = 0;
    patch->property_count = 0;

    return alloc_array(&patch->inputs, patch->input_count) &&
           alloc_array(&patch->outputs, patch->output_count) &&
           alloc_array(&patch->params, patch->param_count) &&
           alloc_array(&patch->resources, patch->resource_count) &&
           alloc_array(&patch->properties, patch->property_count) &&
           fill_array(patch->inputs, patch->input_count) &&
           fill_array(patch->outputs, patch->output_count) &&
           fill_array(patch->params, patch->param_count);
}

} // namespace

float* patch_alloc_floats(int32_t count)
{
    const int64_t size = static_cast<int64_t>(count) * static_cast<int64_t>(sizeof(float));
    // A negative count can never be met; refuse it before asking the heap.
    if (size < 0)
        return nullptr;
    return static_cast<float*>(alloc_zeroed(static_cast<size_t>(size)));
}

int32_t* patch_alloc_words(int32_t count)
{
    const int64_t size = static_cast<int64_t>(count) * static_cast<int64_t>(sizeof(int32_t));
    if (size < 0)
        return nullptr;
    return static_cast<int32_t*>(alloc_zeroed(static_cast<size_t>(size)));
}

patch_t* patch_create(float sample_rate)
{
    patch_t* patch = static_cast<patch_t*>(alloc_zeroed(sizeof(patch_t)));
    if (patch == nullptr)
        return nullptr;
    patch->sample_rate = sample_rate;
    patch->bypass = 0;

    if (!allocate_blocks(patch))
    {
        patch_destroy(patch);
        return nullptr;
    }

    patch->aux = static_cast<patch_aux_t*>(alloc_zeroed(sizeof(patch_aux_t)));
    if (patch->aux == nullptr)
    {
        patch_destroy(patch);
        return nullptr;
    }
    patch->aux->words[0] = 0;
    patch->aux->words[1] = 0;

    patch->in_l = patch->inputs[0];
    set_endpoint(patch->in_l, kInputRows[0]);
    patch->in_r = patch->inputs[1];
    set_endpoint(patch->in_r, kInputRows[1]);
    patch->out_l = patch->outputs[0];
    set_endpoint(patch->out_l, kOutputRows[0]);
    patch->out_r = patch->outputs[1];
    set_endpoint(patch->out_r, kOutputRows[1]);

    patch_param_t** shortcuts[PATCH_PARAM_COUNT] = {
        &patch->p_preamp, &patch->p_noise, &patch->p_volume, &patch->p_lo,
        &patch->p_res,    &patch->p_cut,   &patch->p_hi,     &patch->p_boost};
    for (int i = 0; i < PATCH_PARAM_COUNT; ++i)
    {
        *shortcuts[i] = patch->params[i];
        set_param(patch->params[i], patch_param_specs[i]);
    }

    patch->extra_flag = 0;
    patch->drive_factor = 20.0f;
    patch->volume_factor = 1.0f;
    patch->boost_factor = 19.0f;
    patch->noise_factor = 1.0f;
    patch->lo_factor = 10.0f;
    patch->hi_factor = 10.0f;
    patch->cut_factor = 1.0f;
    patch->res_factor = 1.0f;

    if (!init_gate(&patch->gate_l) || !init_gate(&patch->gate_r))
    {
        patch_destroy(patch);
        return nullptr;
    }

    init_band(&patch->lo_r, 880.0f);
    init_band(&patch->lo_l, 880.0f);
    init_band(&patch->hi_r, 5000.0f);
    init_band(&patch->hi_l, 5000.0f);

    clear_filter(&patch->filter_r);
    clear_filter(&patch->filter_l);
    for (int i = 0; i < 4; ++i)
    {
        patch->mix_l_weight[i] = 1.0f;
        patch->mix_r_weight[i] = 1.0f;
    }
    memset(&patch->wire, 0, sizeof patch->wire);
    return patch;
}

// Also unwinds a partly built patch: every pointer not yet taken is still null.
void patch_destroy(patch_t* patch)
{
    if (patch == nullptr)
        return;
    if (patch->gate_l.window != nullptr)
        free(patch->gate_l.window);
    if (patch->gate_r.window != nullptr)
        free(patch->gate_r.window);
    free(patch->name);

    free_array(patch->inputs, patch->input_count);
    free_array(patch->outputs, patch->output_count);
    free_array(patch->params, patch->param_count);
    free_array(patch->resources, patch->resource_count);
    free_array(patch->properties, patch->property_count);
    free(patch->inputs);
    free(patch->outputs);
    free(patch->params);
    free(patch->resources);
    free(patch->properties);

    if (patch->aux != nullptr)
    {
        if (patch->aux->buffers[0] != nullptr)
            free(patch->aux->buffers[0]);
        if (patch->aux->buffers[1] != nullptr)
            free(patch->aux->buffers[1]);
        free(patch->aux);
    }
    free(patch);
}
