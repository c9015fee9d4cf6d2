// INI document store: reading and writing a document the size of a
// calibration file (66 sections, about 200 items) and a 2 MB document, in
// memory and through files. Items processed = documents.

#include "ini/ini.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

using namespace tavrino;

IniHandle calibrationDocument() {
    IniHandle ini = Ini_New(false);
    Ini_PutString(ini.get(), "GENERAL INFO", "FILE TYPE:", "Calibration Setvalues");
    Ini_PutString(ini.get(), "GENERAL INFO", "SCOPE VERSION:", "TAVRINO4 VXR QLM Scope V3.2");
    for (const char* tag : {"Colour Space", "Illuminant", "Observer", "Rows", "Reference X", "Reference Y"}) {
        Ini_PutDouble(ini.get(), "CALIBRATION SETTINGS", tag, 95.047);
    }
    for (int row = 0; row < 64; ++row) {
        const std::string section = "ROW " + std::to_string(row);
        Ini_PutDouble(ini.get(), section, "X", 41.24 + row / 7.0);
        Ini_PutDouble(ini.get(), section, "Y", 21.26 + row / 9.0);
        Ini_PutDouble(ini.get(), section, "Z", 1.93 + row / 11.0);
    }
    return ini;
}

IniHandle largeDocument() {
    IniHandle ini = Ini_New(false);
    std::string text;
    for (int section = 0; text.size() < 2'000'000; ++section) {
        const std::string name = "SECTION " + std::to_string(section);
        for (int item = 0; item < 100; ++item) {
            Ini_PutString(ini.get(), name, "Item " + std::to_string(item),
                          "value \"" + std::to_string(item) + "\"\t");
            Ini_PutInt(ini.get(), name, "Count " + std::to_string(item), section * 1000 + item);
            Ini_PutDouble(ini.get(), name, "Factor " + std::to_string(item), item / 3.0);
        }
        if (section % 20 == 0) {
            Ini_WriteToBuffer(ini.get(), text);
        }
    }
    return ini;
}

IniHandle document(std::int64_t kind) {
    return kind == 0 ? calibrationDocument() : largeDocument();
}

std::string textOf(IniDocument* ini) {
    std::string text;
    Ini_WriteToBuffer(ini, text);
    return text;
}

void setCounters(benchmark::State& state, std::size_t bytes) {
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    state.counters["doc_bytes"] = static_cast<double>(bytes);
}

void readText(benchmark::State& state) {
    IniHandle source = document(state.range(0));
    const std::string text = textOf(source.get());
    for (auto _ : state) {
        IniHandle ini = Ini_New(false);
        benchmark::DoNotOptimize(Ini_ReadFromBuffer(ini.get(), text));
    }
    setCounters(state, text.size());
}

void writeText(benchmark::State& state) {
    IniHandle ini = document(state.range(0));
    std::string text;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Ini_WriteToBuffer(ini.get(), text));
    }
    setCounters(state, text.size());
}

// The way the program uses a document: puts, write to a file, dispose; then
// read the file and get every value.
class Files {
public:
    Files()
        : dir_(std::filesystem::temp_directory_path() / ("tavrino-bench-ini-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(dir_);
    }
    ~Files() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    Files(const Files&) = delete;
    Files& operator=(const Files&) = delete;
    [[nodiscard]] std::string path() const { return (dir_ / "bench.ini").string(); }

private:
    std::filesystem::path dir_;
};

void writeFile(benchmark::State& state) {
    const Files files;
    IniHandle ini = document(state.range(0));
    for (auto _ : state) {
        if (Ini_WriteToFile(ini.get(), files.path()) != kIniOk) {
            state.SkipWithError("write failed");
            break;
        }
    }
    setCounters(state, textOf(ini.get()).size());
}

void readFile(benchmark::State& state) {
    const Files files;
    IniHandle source = document(state.range(0));
    if (Ini_WriteToFile(source.get(), files.path()) != kIniOk) {
        state.SkipWithError("write failed");
        return;
    }
    for (auto _ : state) {
        IniHandle ini = Ini_New(false);
        if (Ini_ReadFromFile(ini.get(), files.path()) != kIniOk) {
            state.SkipWithError("read failed");
            break;
        }
    }
    setCounters(state, textOf(source.get()).size());
}

void putAndGetCalibration(benchmark::State& state) {
    for (auto _ : state) {
        IniHandle ini = calibrationDocument();
        double value = 0;
        for (int row = 0; row < 64; ++row) {
            const std::string section = "ROW " + std::to_string(row);
            Ini_GetDouble(ini.get(), section, "X", &value);
            Ini_GetDouble(ini.get(), section, "Y", &value);
            Ini_GetDouble(ini.get(), section, "Z", &value);
        }
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(state.iterations());
}

// Argument 0: calibration-sized document; 1: 2 MB document.
BENCHMARK(readText)->ArgName("large")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(writeText)->ArgName("large")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(readFile)->ArgName("large")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(writeFile)->ArgName("large")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(putAndGetCalibration)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
