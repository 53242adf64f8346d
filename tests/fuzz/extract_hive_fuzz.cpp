// Feeds arbitrary bytes to ExtractHive as a hive file, inside a scratch directory that is emptied
// after every input so nothing piles up. Besides crashes, leaks and hangs, it checks that nothing
// is written beside the scratch directory, and that every stored name, walked here independently
// of the reader, is either refused or confined to the directory it is extracted to.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "hive/hive.h"

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// base/input.hive is the hive, base/work the current directory during extraction; later entries
// go to base/work/sub/.
struct Scratch {
    Scratch()
        : home(fs::current_path()),
          base(home / ("extract_hive_fuzz.scratch." + std::to_string(getpid()))),
          work(base / "work"),
          hive(base / "input.hive") {
        fs::remove_all(base);
        fs::create_directories(work / "sub");
    }
    ~Scratch() {
        std::error_code ignored;
        fs::current_path(home, ignored);
        fs::remove_all(base, ignored);
    }
    fs::path home, base, work, hive;
};

[[noreturn]] void Fail(const char* what, const std::string& name) {
    std::fprintf(stderr, "%s: \"%s\"\n", what, name.c_str());
    std::abort();
}

std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// A path accepted for writing must stay below the directory it is taken relative to.
void CheckConfined(const std::string& stored) {
    std::string path = hive::SafeEntryPath(stored);
    if (path.empty()) return;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    const fs::path normal = fs::path(path).lexically_normal();
    if (path[0] == '/' || (path.size() > 1 && path[1] == ':') || normal.is_absolute() ||
        normal.has_root_name() || normal.has_root_directory()) {
        Fail("absolute path accepted", stored);
    }
    for (const fs::path& part : normal) {
        if (part == "..") Fail("escaping path accepted", stored);
    }
}

void CheckNames(const std::uint8_t* data, std::size_t size) {
    std::size_t pos = 0;
    while (size - pos >= 8) {
        const std::uint32_t dataLength = Le32(data + pos);
        const std::uint32_t nameLength = Le32(data + pos + 4);
        pos += 8;
        if (nameLength > size - pos) return;
        CheckConfined(std::string(reinterpret_cast<const char*>(data + pos), nameLength));
        pos += nameLength;
        if (dataLength > size - pos) return;
        pos += dataLength;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Scratch scratch;
    {
        std::ofstream out(scratch.hive, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    CheckNames(data, size);

    fs::current_path(scratch.work);
    hive::ExtractHive("../input.hive", "sub/");
    fs::current_path(scratch.home);

    for (const auto& item : fs::directory_iterator(scratch.base)) {
        if (item.path() != scratch.work && item.path() != scratch.hive) {
            Fail("written beside the scratch directory", item.path().string());
        }
    }
    fs::remove_all(scratch.work);
    fs::create_directories(scratch.work / "sub");
    return 0;
}
