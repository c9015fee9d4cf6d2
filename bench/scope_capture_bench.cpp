// Scope captures: saving one (the text, then through the program's file
// writer onto the disk) and opening one (reading and checking every line).
// Items processed = captures.

#include "scope/capture_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

using namespace tavrino;

// A colour-space scan with a full comment: the largest capture the program writes.
scope::Capture fullCapture() {
    scope::Capture c;
    c.date = "2026-12-08 21:52:44";
    c.panelId = "LINE 7";
    c.settings = scope::ScanSettings{1, 20, 2, scope::kColourSpaceSignal, 12.5};
    c.cycleMs = 0.1;
    c.comment = std::string(1024, 'c');
    for (std::size_t i = 0; i < scope::kSamples; ++i) {
        c.result.red[i] = (static_cast<double>(i) * 70001.0 - 3000000.0) / 65536.0;
        c.result.green[i] = -static_cast<double>(i) * 0.125;
        c.result.blue[i] = 95.0 - static_cast<double>(i) / 7.0;
        c.result.states[i] = static_cast<std::int16_t>(i % 8);
    }
    scope::buildDigitalTraces(c.result);
    return c;
}

std::string benchFile() {
    return (std::filesystem::temp_directory_path() /
            ("tavrino-capture-bench-" + std::to_string(::getpid()) + ".csv"))
        .string();
}

void BM_CaptureText(benchmark::State& state) {
    const scope::Capture capture = fullCapture();
    for (auto _ : state)
        benchmark::DoNotOptimize(scope::captureText(capture));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CaptureText);

void BM_SaveCapture(benchmark::State& state) {
    const scope::Capture capture = fullCapture();
    const std::string path = benchFile();
    for (auto _ : state) {
        if (scope::writeCaptureFile(path, capture) != 0)
            state.SkipWithError("the capture could not be written");
    }
    state.SetItemsProcessed(state.iterations());
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveCapture)->Unit(benchmark::kMicrosecond);

void BM_ParseCapture(benchmark::State& state) {
    const std::string text = scope::captureText(fullCapture());
    for (auto _ : state)
        benchmark::DoNotOptimize(scope::parseCapture(text));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseCapture);

void BM_OpenCapture(benchmark::State& state) {
    const std::string path = benchFile();
    if (scope::writeCaptureFile(path, fullCapture()) != 0) {
        state.SkipWithError("the capture could not be written");
        return;
    }
    for (auto _ : state) {
        const scope::CaptureReading r = scope::readCaptureFile(path);
        if (r.verdict != scope::CaptureReading::Verdict::Read)
            state.SkipWithError("the capture could not be read");
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations());
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenCapture)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
