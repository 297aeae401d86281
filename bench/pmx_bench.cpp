// Throughput of readPmx and writePatchedPmx on a large model built in memory, inside one
// process: where a slow pass over the records or a slow copy would show. The whole program
// against the disk cache is measured by whole_process.py.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "pmx/model.h"
#include "pmx/reader.h"
#include "pmx/writer.h"
#include "tests/support/pmx_builder.h"

namespace {

std::string gModelPath;
std::string gCopyPath;
long gModelBytes = 0;

void buildLargeModel() {
    pmxtest::PmxRecipe recipe = pmxtest::typicalModel(0);
    recipe.vertexIndexSize = 4;
    recipe.boneIndexSize = 2;
    // About 10 MB: SDEF vertices are the largest records.
    recipe.vertexDeformTypes.assign(120000, 3);
    recipe.faceIndexCount = 3 * 200000;
    std::vector<std::uint8_t> bytes = pmxtest::buildPmx(recipe);
    gModelBytes = static_cast<long>(bytes.size());
    gModelPath = "/tmp/quorvane-bench-model.pmx";
    gCopyPath = "/tmp/quorvane-bench-model-new.pmx";
    pmxtest::writeFile(gModelPath, bytes);
}

void BM_ReadPmx(benchmark::State& state) {
    for (auto _ : state) {
        clearModelMarks();
        benchmark::DoNotOptimize(readPmx(gModelPath.c_str()));
    }
    state.SetBytesProcessed(state.iterations() * gModelBytes);
}
BENCHMARK(BM_ReadPmx)->Unit(benchmark::kMillisecond);

void BM_WritePatchedCopy(benchmark::State& state) {
    clearModelMarks();
    readPmx(gModelPath.c_str());
    gModel.twists[kArmTwistL].verdict = gModel.twists[kArmTwistL].found;
    for (auto _ : state) {
        benchmark::DoNotOptimize(writePatchedPmx(gCopyPath.c_str(), gModelPath.c_str()));
    }
    state.SetBytesProcessed(state.iterations() * gModelBytes);
}
BENCHMARK(BM_WritePatchedCopy)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    buildLargeModel();
    // The reader reports on the console; the measurements go to standard error instead.
    benchmark::ConsoleReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::remove(gModelPath.c_str());
    std::remove(gCopyPath.c_str());
    return 0;
}
