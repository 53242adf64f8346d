// Packs about 100 MB (one beeline file and 400 icons of assorted sizes) into a hive and unpacks it
// with combex, against a plain copy of the same files, all on the same disk. The files are
// generated once in a scratch directory beside the program and removed at exit.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "combex/combex.h"

namespace fs = std::filesystem;

namespace {

constexpr int kIcons = 400;

std::string Content(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    unsigned state = seed * 2654435761u + 1u;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    return bytes;
}

// src/ holds the inputs, copy/ and out/ receive the plain copy and the unpacked hive.
struct Corpus {
    Corpus() : root(fs::current_path() / "hive_bench.scratch") {
        fs::remove_all(root);
        for (const char* dir : {"src", "copy", "out"}) fs::create_directories(root / dir);
        Add("beelines.xml", 1024 * 1024, 0);
        for (int i = 0; i < kIcons; ++i) {
            Add("icon" + std::to_string(i) + ".ico", 1078 + (static_cast<std::size_t>(i) * 7919u) % 490000u,
                static_cast<unsigned>(i + 1));
        }
    }
    ~Corpus() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    void Add(const std::string& name, std::size_t size, unsigned seed) {
        std::ofstream out(root / "src" / name, std::ios::binary);
        const std::string bytes = Content(size, seed);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        names.push_back(name);
        total += size;
    }

    fs::path root;
    std::vector<std::string> names;
    std::int64_t total = 0;
};

const Corpus& Files() {
    static const Corpus corpus;
    return corpus;
}

// Runs combex in `dir` with the given arguments; its progress lines are discarded.
void Combex(const fs::path& dir, std::vector<std::string> args) {
    args.insert(args.begin(), "combex");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(&arg[0]);
    argv.push_back(nullptr);
    const fs::path home = fs::current_path();
    fs::current_path(dir);
    std::ostream discard(nullptr);
    combex::RunCombex(static_cast<int>(args.size()), argv.data(), discard, discard);
    fs::current_path(home);
}

std::vector<std::string> PackArguments(const Corpus& corpus) {
    std::vector<std::string> args = {"a"};
    args.insert(args.end(), corpus.names.begin(), corpus.names.end());
    args.push_back("../bench.hive");
    return args;
}

void Pack_Combex(benchmark::State& state) {
    const Corpus& corpus = Files();
    const std::vector<std::string> args = PackArguments(corpus);
    for (auto _ : state) Combex(corpus.root / "src", args);
    state.SetBytesProcessed(state.iterations() * corpus.total);
}

void Extract_Combex(benchmark::State& state) {
    const Corpus& corpus = Files();
    Combex(corpus.root / "src", PackArguments(corpus));
    for (auto _ : state) Combex(corpus.root / "out", {"e", "../bench.hive"});
    state.SetBytesProcessed(state.iterations() * corpus.total);
}

void Copy_Plain(benchmark::State& state) {
    const Corpus& corpus = Files();
    for (auto _ : state) {
        for (const std::string& name : corpus.names) {
            fs::copy_file(corpus.root / "src" / name, corpus.root / "copy" / name,
                          fs::copy_options::overwrite_existing);
        }
    }
    state.SetBytesProcessed(state.iterations() * corpus.total);
}

}  // namespace

BENCHMARK(Pack_Combex)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Extract_Combex)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Copy_Plain)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
