// Scratch directories and file helpers shared by the hive and combex tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "hive/hive.h"

namespace hive_test {

namespace fs = std::filesystem;

inline std::string CurrentTestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "_" + info->name();
}

// A fresh directory below the working directory, current for the object's lifetime, so that
// relative names in hives land inside it and "../" escapes land in the directory above.
class ScratchDir {
public:
    ScratchDir() : parent_(fs::current_path()), path_(parent_ / ("scratch_" + CurrentTestName())) {
        fs::remove_all(path_);
        fs::create_directories(path_);
        fs::current_path(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::current_path(parent_, ignored);
        fs::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const fs::path& parent() const { return parent_; }
    const fs::path& path() const { return path_; }

private:
    fs::path parent_;
    fs::path path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(const std::string& path) { return fs::exists(fs::path(path)); }

// Deterministic content that holds every byte value, NUL and 0xFF included.
inline std::string Pattern(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    unsigned state = seed * 2654435761u + 1u;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    return bytes;
}

inline std::string Entry(const std::string& name, const std::string& data) {
    return hive::EntryHeader(static_cast<std::uint32_t>(data.size()), name) + data;
}

// Every file and directory below `dir`, as generic relative paths, sorted.
inline std::vector<std::string> Listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& item : fs::recursive_directory_iterator(dir)) {
        names.push_back(fs::relative(item.path(), dir).generic_string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace hive_test
