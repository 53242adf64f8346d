#include "combex/combex.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "hive/hive.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace combex {

namespace {

constexpr std::size_t kChunk = 4096;

void Line(std::ostream& stream, const std::string& text) { stream << text << '\n' << std::flush; }

void Usage(std::ostream& out) {
    Line(out, "Combex (R) Waxer of hive files.");
    Line(out, "Make hive files only if you want to pack icons else just rename xml into hive.");
    Line(out, "");
    Line(out, "Usage: combex a|e [files] hive");
    Line(out, "\ta - archive (ie hive) files");
    Line(out, "\te - extract (ie unhive) files");
}

// The first occurrence of the extension must be the name's last four characters.
bool EndsWithOnly(const std::string& name, const std::string& extension) {
    const std::size_t pos = name.find(extension);
    return pos != std::string::npos && pos == name.size() - extension.size();
}

// The size of the named file in bytes, or false when it cannot be learnt or does not fit the
// 32-bit length of an entry.
bool SizeOf(const std::string& name, std::uint32_t& size) {
#ifdef _WIN32
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    // Ask for the high part too: without it a file of 4 GiB or more passes with a wrong size.
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    const bool failed = low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR;
    CloseHandle(file);
    if (failed || high != 0) return false;
    size = low;
    return true;
#else
    struct stat info;
    if (stat(name.c_str(), &info) != 0 || info.st_size < 0 ||
        static_cast<std::uint64_t>(info.st_size) > UINT32_MAX) {
        return false;
    }
    size = static_cast<std::uint32_t>(info.st_size);
    return true;
#endif
}

// Opening a directory succeeds on POSIX systems, but it is no input file there either.
bool OpenInput(std::ifstream& in, const std::string& name) {
#ifndef _WIN32
    struct stat info;
    if (stat(name.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return false;
#endif
    in.open(name, std::ios::binary);
    return static_cast<bool>(in);
}

// Copies up to `size` bytes; returns how many the input really gave.
std::uint32_t CopyContent(std::ifstream& in, std::ofstream& hive, std::uint32_t size) {
    char buffer[kChunk];
    std::uint32_t copied = 0;
    while (copied < size) {
        const std::uint32_t want = std::min<std::uint32_t>(size - copied, kChunk);
        in.read(buffer, want);
        const auto got = static_cast<std::uint32_t>(in.gcount());
        hive.write(buffer, got);
        copied += got;
        if (got < want) break;
    }
    return copied;
}

// Appends one entry; a file that shrank since its size was taken gets the length it really had,
// so the hive never claims bytes it does not hold.
void AppendEntry(std::ofstream& hive, std::ifstream& in, const std::string& name,
                 std::uint32_t size) {
    const std::streampos start = hive.tellp();
    hive << hive::EntryHeader(size, name);
    const std::uint32_t copied = CopyContent(in, hive, size);
    if (copied == size) return;
    const std::streampos end = hive.tellp();
    hive.seekp(start);
    hive << hive::EntryHeader(copied, name);
    hive.seekp(end);
}

void Archive(const std::vector<std::string>& inputs, const std::string& hiveName,
             std::ostream& out, std::ostream& err) {
    std::ofstream hive(hiveName, std::ios::binary | std::ios::trunc);
    if (!hive) {
        Line(err, "Unable to open output file " + hiveName);
        return;
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::string& name = inputs[i];
        if (!EndsWithOnly(name, i == 0 ? ".xml" : ".ico")) {
            Line(err, i == 0 ? "First file has to be xml" : "Other files have to be icon");
            break;
        }
        Line(out, "Reading " + name + "...");
        std::ifstream in;
        if (!OpenInput(in, name)) {
            Line(err, "Unable to open input file " + name);
            break;
        }
        std::uint32_t size = 0;
        if (!SizeOf(name, size)) {
            Line(err, "Can't get file size. Funny, eh?");
            break;
        }
        AppendEntry(hive, in, name, size);
    }
    hive.close();
    Line(out, hiveName + " hived.");
}

void Extract(const std::string& hiveName, std::ostream& err) {
    std::vector<std::string> refused;
    hive::ExtractHive(hiveName, std::string(), &refused);
    for (const std::string& name : refused) Line(err, "Skipped unsafe name " + name);
}

}  // namespace

int RunCombex(int argc, char** argv, std::ostream& out, std::ostream& err) {
    if (argc < 2) {
        Usage(out);
        return 1;
    }
    const std::string command = argv[1];
    const char selector = command.empty() ? '\0' : command[0];
    if (selector == 'a' || selector == 'e') {
        if (argc < (selector == 'a' ? 4 : 3)) {
            Usage(out);
            return 1;
        }
        if (selector == 'a') {
            Archive(std::vector<std::string>(argv + 2, argv + argc - 1), argv[argc - 1], out, err);
        } else {
            Extract(argv[2], err);
        }
        return 0;
    }
    Line(err, "You can either hive [a] or unhive [e]. Do not otherwise like that [" + command + "]");
    return 0;
}

}  // namespace combex
