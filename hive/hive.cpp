#include "hive/hive.h"

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <ios>

namespace hive {

namespace {

constexpr std::size_t kChunk = 4096;
constexpr std::uint64_t kHeaderSize = 8;

void AppendLittleEndian(std::string& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes += static_cast<char>((value >> shift) & 0xFFu);
    }
}

std::uint32_t ReadLittleEndian(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Windows drops trailing dots and spaces from a component, so ".. " or "..." can climb out too.
bool ReadsAsParent(const std::string& component) {
    std::size_t dots = 0;
    for (char c : component) {
        if (c == '.') {
            ++dots;
        } else if (c != ' ') {
            return false;
        }
    }
    return dots >= 2;
}

// Index of the first character after any run of drive, UNC and root prefixes. Repeated, because
// "/C:/x" is as absolute on Windows as "C:/x".
std::size_t PrefixLength(const std::string& name) {
    const std::size_t n = name.size();
    std::size_t pos = 0;
    for (;;) {
        if (pos + 1 < n && IsSeparator(name[pos]) && IsSeparator(name[pos + 1])) {
            pos += 2;
            // \\server\share\ : skip the two components, the separators follow below.
            for (int part = 0; part < 2 && pos < n; ++part) {
                while (pos < n && !IsSeparator(name[pos])) ++pos;
                if (part == 0 && pos < n) ++pos;
            }
        } else if (pos < n && IsSeparator(name[pos])) {
            ++pos;
        } else if (pos + 1 < n && name[pos + 1] == ':') {
            // Windows takes any character before the colon for a drive, not just a letter.
            pos += 2;
        } else {
            return pos;
        }
    }
}

std::uint64_t SizeOf(std::ifstream& in) {
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size <= 0 || !in) {
        in.clear();
        in.seekg(0, std::ios::beg);
        return 0;
    }
    return static_cast<std::uint64_t>(size);
}

// Reads `length` bytes into `name` in chunks, so that the allocation only ever grows with bytes
// actually read, whatever the file claims its size is.
bool ReadName(std::ifstream& in, std::uint32_t length, std::string& name, char* buffer) {
    while (length > 0) {
        const std::size_t chunk = std::min<std::size_t>(length, kChunk);
        if (!in.read(buffer, static_cast<std::streamsize>(chunk))) return false;
        name.append(buffer, chunk);
        length -= static_cast<std::uint32_t>(chunk);
    }
    return true;
}

bool CopyData(std::ifstream& in, std::ofstream& out, std::uint32_t length, char* buffer) {
    while (length > 0) {
        const std::size_t chunk = std::min<std::size_t>(length, kChunk);
        if (!in.read(buffer, static_cast<std::streamsize>(chunk))) return false;
        out.write(buffer, static_cast<std::streamsize>(chunk));
        length -= static_cast<std::uint32_t>(chunk);
    }
    return true;
}

}  // namespace

std::string EntryHeader(std::uint32_t dataLength, const std::string& name) {
    std::string bytes;
    bytes.reserve(kHeaderSize + name.size());
    AppendLittleEndian(bytes, dataLength);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(name.size()));
    return bytes + name;
}

std::string SafeEntryPath(const std::string& storedName) {
    // An embedded NUL would cut the name short where the file system sees it.
    if (storedName.find('\0') != std::string::npos) return std::string();
    std::string rest = storedName.substr(PrefixLength(storedName));
    if (rest.empty()) return std::string();

    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !IsSeparator(rest[end])) ++end;
        if (ReadsAsParent(rest.substr(start, end - start))) return std::string();
        start = end + 1;
    }
#ifndef _WIN32
    std::replace(rest.begin(), rest.end(), '\\', '/');
#endif
    return rest;
}

std::string ExtractHive(const std::string& hivePath, const std::string& targetDirectory,
                        std::vector<std::string>* refused) {
    std::ifstream in(hivePath, std::ios::binary);
    if (!in) return std::string();

    // Every length is checked against what is left, so a damaged or foreign file can neither
    // make us allocate nor read past its end.
    std::uint64_t remaining = SizeOf(in);
    std::string firstName;
    bool first = true;
    char buffer[kChunk];
    while (remaining >= kHeaderSize) {
        unsigned char header[kHeaderSize];
        if (!in.read(reinterpret_cast<char*>(header), sizeof header)) break;
        remaining -= kHeaderSize;
        const std::uint32_t dataLength = ReadLittleEndian(header);
        const std::uint32_t nameLength = ReadLittleEndian(header + 4);

        std::string name;
        if (nameLength > remaining || !ReadName(in, nameLength, name, buffer)) break;
        remaining -= nameLength;
        const bool isFirst = first;
        if (first) {
            firstName = name;
            first = false;
        }
        if (dataLength > remaining) break;
        remaining -= dataLength;

        const std::string path = SafeEntryPath(name);
        if (path.empty()) {
            if (refused) refused->push_back(name);
        } else {
            std::ofstream out(isFirst ? path : targetDirectory + path,
                              std::ios::binary | std::ios::trunc);
            if (out) {
                if (!CopyData(in, out, dataLength, buffer)) break;
                continue;
            }
        }
        if (!in.seekg(static_cast<std::streamoff>(dataLength), std::ios::cur)) break;
    }
    return firstName;
}

}  // namespace hive
