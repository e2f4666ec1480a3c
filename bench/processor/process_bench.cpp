// Cost of FerrulithProcessor::process per frame at common block sizes, with no
// parameter changes and with all nine parameters automated in every block, on
// each vector path this machine runs, beside the floors of the eight tanh calls
// per frame. The automated runs also report their ratio to the unautomated run
// of the same path and block size (x_still), which must stay close to 1.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <memory>
#include <vector>

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "processor/ferrulithprocessor.h"
#include "hostkit/audio_block.h"
#include "hostkit/parameter_changes.h"
#include "hostkit/vst_ptr.h"
#include "processor/bench_vector_path.h"
#include "support/tanh_floor.h"

namespace
{

namespace tanh_floor = ferrulith::bench::tanh_floor;

using namespace Steinberg;
using namespace Steinberg::Vst;
using ferrulith::host::AudioBlock;
using ferrulith::host::ParameterChanges;
using ferrulith::host::queryInterface;
using ferrulith::host::VstPtr;

// An active processor reached through its interfaces, as a host holds it.
class ActiveProcessor
{
public:
    explicit ActiveProcessor(int32 blockSize)
    {
        const auto object =
            VstPtr<FUnknown>::adopt(quorvelware::FerrulithProcessor::createInstance(nullptr));
        comp = queryInterface<IComponent>(object);
        proc = queryInterface<IAudioProcessor>(object);
        comp->initialize(nullptr);
        ProcessSetup setup{kRealtime, kSample32, blockSize, 48000.0};
        proc->setupProcessing(setup);
        comp->setActive(true);
    }
    ~ActiveProcessor()
    {
        comp->setActive(false);
        comp->terminate();
    }
    IAudioProcessor* processor() { return proc.get(); }

private:
    VstPtr<IComponent> comp;
    VstPtr<IAudioProcessor> proc;
};

// Unautomated time per frame by path and block size, for the automated runs'
// ratio.
std::map<std::pair<const patch_vector_path_t*, int>, double>& still_ns()
{
    static std::map<std::pair<const patch_vector_path_t*, int>, double> ns;
    return ns;
}

void run_process(benchmark::State& state, const patch_vector_path_t* path, bool automate)
{
    ferrulith::bench::bench_vector_path = path;
    tanh_floor::independent_ns();
    tanh_floor::chained_ns();
    const int32 size = static_cast<int32>(state.range(0));
    ActiveProcessor active(size);
    const std::vector<float>& signal = tanh_floor::noisy_signal();

    // Prepared host blocks, cycled: each with its own input and, when
    // automating, its own value for every parameter (bypass kept off).
    constexpr int kBlocks = 8;
    std::vector<std::unique_ptr<AudioBlock>> blocks;
    std::vector<std::unique_ptr<ParameterChanges>> changes;
    for (int b = 0; b < kBlocks; ++b)
    {
        blocks.push_back(std::make_unique<AudioBlock>(size, 2, 2));
        changes.push_back(std::make_unique<ParameterChanges>());
        const int start = b * size;
        blocks[b]->fillInputs(
            [&](int c, int i)
            { return signal[2 * ((start + i) & (tanh_floor::kFrames - 1)) + c]; });
        if (automate)
        {
            for (ParamID id = 0; id < 8; ++id)
                changes[b]->appendQueue(id).point(0, 0.5).point(size - 1,
                                                                0.1 + 0.1 * ((b + id) % 9));
            changes[b]->appendQueue(8).point(0, 0.0);
        }
        blocks[b]->setParameterChanges(changes[b].get());
    }

    int b = 0;
    tanh_floor::FrameTimer timer;
    for (auto _ : state)
    {
        active.processor()->process(blocks[b]->data());
        benchmark::DoNotOptimize(blocks[b]->output(0).data());
        b = (b + 1) % kBlocks;
    }
    const double frames = static_cast<double>(state.iterations()) * size;
    timer.report(state, frames);
    const double per_frame = state.counters["ns_frame"];
    const auto key = std::make_pair(path, static_cast<int>(size));
    if (!automate)
        still_ns()[key] = per_frame;
    else if (still_ns().count(key) != 0)
        state.counters["x_still"] = per_frame / still_ns()[key];
}

void BM_FloorEightTanhf(benchmark::State& state)
{
    tanh_floor::chained_ns();
    const std::vector<float>& signal = tanh_floor::noisy_signal();
    int n = 0;
    tanh_floor::FrameTimer timer;
    for (auto _ : state)
    {
        tanh_floor::eight_independent(&signal[2 * n]);
        n = (n + 1) & (tanh_floor::kFrames - 1);
    }
    timer.report(state, static_cast<double>(state.iterations()));
}
BENCHMARK(BM_FloorEightTanhf);

// Unautomated first at each size, so the automated run can report its ratio.
void register_process_benchmarks()
{
    const patch_vector_path_t* paths[PATCH_VECTOR_PATHS_MAX];
    const int32_t count = patch_runnable_vector_paths(paths);
    for (int32_t p = 0; p < count; ++p)
    {
        const std::string name = paths[p]->name;
        for (int size : {32, 64, 512, 4096})
        {
            benchmark::RegisterBenchmark(("BM_Process_" + name + "_Unautomated").c_str(),
                                         run_process, paths[p], false)
                ->Arg(size);
            benchmark::RegisterBenchmark(("BM_Process_" + name + "_AllAutomated").c_str(),
                                         run_process, paths[p], true)
                ->Arg(size);
        }
    }
}
const bool registered = (register_process_benchmarks(), true);

} // namespace
