#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "combex/combex.h"
#include "hive/hive.h"
#include "tests/hive/hive_test_util.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

using hive_test::Entry;
using hive_test::Exists;
using hive_test::Pattern;
using hive_test::ReadFile;
using hive_test::ScratchDir;
using hive_test::WriteFile;

namespace {

const std::string kUsage =
    "Combex (R) Waxer of hive files.\n"
    "Make hive files only if you want to pack icons else just rename xml into hive.\n"
    "\n"
    "Usage: combex a|e [files] hive\n"
    "\ta - archive (ie hive) files\n"
    "\te - extract (ie unhive) files\n";

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunInProcess(std::vector<std::string> args) {
    args.insert(args.begin(), "combex");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(&arg[0]);
    argv.push_back(nullptr);
    std::ostringstream out, err;
    const int status = combex::RunCombex(static_cast<int>(args.size()), argv.data(), out, err);
    return {status, out.str(), err.str()};
}

// A file of `size` bytes that takes no room on disk (sparse), without writing its content.
void MakeHugeFile(const std::string& name, std::uint64_t size) {
#ifdef _WIN32
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(sized);
#else
    WriteFile(name, "");
    std::filesystem::resize_file(name, size);
#endif
}

}  // namespace

// --- command line and usage ---

TEST(CombexCommandLine, TooFewArgumentsPrintUsageAndExitWithOne) {
    ScratchDir scratch;
    const std::vector<std::vector<std::string>> cases = {
        {}, {"a"}, {"a", "x.hive"}, {"archive", "x.hive"}, {"e"}, {"extract"}};
    for (const auto& args : cases) {
        const Outcome outcome = RunInProcess(args);
        EXPECT_EQ(outcome.status, 1) << args.size();
        EXPECT_EQ(outcome.out, kUsage);
        EXPECT_EQ(outcome.err, "");
    }
    EXPECT_FALSE(Exists("x.hive"));
}

TEST(CombexCommandLine, UnknownCommandIsRejectedOnStandardErrorWithExitZero) {
    ScratchDir scratch;
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"x"}, "[x]"},
        {{"Archive", "b.xml", "x.hive"}, "[Archive]"},
        {{"E", "x.hive"}, "[E]"},
        {{"", "x.hive"}, "[]"},
        {{"xa", "b.xml", "c.ico", "x.hive"}, "[xa]"}};
    for (const auto& test : cases) {
        const Outcome outcome = RunInProcess(test.first);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err,
                  "You can either hive [a] or unhive [e]. Do not otherwise like that " +
                      test.second + "\n");
    }
    EXPECT_FALSE(Exists("x.hive"));
}

TEST(CombexCommandLine, OnlyTheFirstCharacterSelectsTheCommand) {
    ScratchDir scratch;
    WriteFile("b.xml", "<b/>");
    for (const char* command : {"a", "add", "archive"}) {
        std::filesystem::remove("x.hive");
        const Outcome outcome = RunInProcess({command, "b.xml", "x.hive"});
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(ReadFile("x.hive"), Entry("b.xml", "<b/>")) << command;
    }
    for (const char* command : {"e", "extract", "eXtra"}) {
        std::filesystem::remove("b.xml");
        const Outcome outcome = RunInProcess({command, "x.hive", "ignored", "too"});
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out + outcome.err, "");
        EXPECT_EQ(ReadFile("b.xml"), "<b/>") << command;
    }
}

// --- archiving ---

TEST(CombexArchive, OneXmlFileMakesAOneEntryHive) {
    ScratchDir scratch;
    WriteFile("my.xml", "<beelines/>");
    const Outcome outcome = RunInProcess({"a", "my.xml", "x.hive"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "Reading my.xml...\nx.hive hived.\n");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(ReadFile("x.hive"), Entry("my.xml", "<beelines/>"));
}

TEST(CombexArchive, WorkedExampleIsExactly1405Bytes) {
    ScratchDir scratch;
    const std::string xml = Pattern(300, 1), icon = Pattern(1078, 2);
    WriteFile("my.xml", xml);
    WriteFile("a.ico", icon);
    WriteFile("x.hive", std::string(5000, 'o'));  // an existing hive is truncated
    const Outcome outcome = RunInProcess({"a", "my.xml", "a.ico", "x.hive"});
    EXPECT_EQ(outcome.out, "Reading my.xml...\nReading a.ico...\nx.hive hived.\n");
    const std::string expected = std::string("\x2C\x01\x00\x00\x06\x00\x00\x00my.xml", 14) + xml +
                                 std::string("\x36\x04\x00\x00\x05\x00\x00\x00" "a.ico", 13) + icon;
    ASSERT_EQ(expected.size(), 1405u);
    EXPECT_EQ(ReadFile("x.hive"), expected);
}

TEST(CombexArchive, ContentIsCopiedExactlyAcrossChunkBoundaries) {
    ScratchDir scratch;
    const std::vector<std::size_t> sizes = {0, 1, 4095, 4096, 4097, 8192, 3 * 4096, 5 * 4096 + 1};
    std::vector<std::string> args = {"a", "b.xml"};
    std::string expected = Entry("b.xml", Pattern(4096 * 2, 99));
    WriteFile("b.xml", Pattern(4096 * 2, 99));
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::string name = "i" + std::to_string(i) + ".ico";
        WriteFile(name, Pattern(sizes[i], static_cast<unsigned>(i)));
        args.push_back(name);
        expected += Entry(name, Pattern(sizes[i], static_cast<unsigned>(i)));
    }
    args.push_back("x.hive");
    const Outcome outcome = RunInProcess(args);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(ReadFile("x.hive"), expected);
}

TEST(CombexArchive, EmptyIconGivesAnEntryWithDataLengthZero) {
    ScratchDir scratch;
    WriteFile("b.xml", "x");
    WriteFile("e.ico", "");
    RunInProcess({"a", "b.xml", "e.ico", "x.hive"});
    EXPECT_EQ(ReadFile("x.hive"), Entry("b.xml", "x") + std::string("\0\0\0\0\5\0\0\0e.ico", 13));
}

TEST(CombexArchive, NameWithADirectoryPartIsStoredAsTypedAndUnpackedBelowIt) {
    ScratchDir scratch;
    const std::string typed = "dir\\my.xml";
#ifdef _WIN32
    std::filesystem::create_directory("dir");
    WriteFile("dir/my.xml", "<x/>");
#else
    WriteFile(typed, "<x/>");  // a backslash is an ordinary character in a POSIX file name
#endif
    EXPECT_EQ(RunInProcess({"a", typed, "x.hive"}).out, "Reading dir\\my.xml...\nx.hive hived.\n");
    const std::string bytes = ReadFile("x.hive");
    EXPECT_EQ(bytes, std::string("\4\0\0\0\x0A\0\0\0", 8) + typed + "<x/>");
    std::filesystem::remove(typed);
    std::filesystem::create_directories("dir");
    std::filesystem::remove("dir/my.xml");

    EXPECT_EQ(RunInProcess({"e", "x.hive"}).err, "");
    EXPECT_EQ(ReadFile("dir/my.xml"), "<x/>");
}

// --- archiving errors: each stops the loop, the entries before it stay, " hived." follows ---

TEST(CombexArchiveErrors, HiveThatCannotBeCreatedIsReportedAndNothingIsRead) {
    ScratchDir scratch;
    WriteFile("b.xml", "x");
    const Outcome outcome = RunInProcess({"a", "b.xml", "no dir/x.hive"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "Unable to open output file no dir/x.hive\n");
}

TEST(CombexArchiveErrors, FirstFileMustEndInXmlAndOnlyThere) {
    ScratchDir scratch;
    for (const char* name : {"MY.XML", "a.xml.xml", "my.xmlx", "my.xm", "ml", "b.ico"}) {
        WriteFile(name, "x");
        const Outcome outcome = RunInProcess({"a", name, "x.hive"});
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, "x.hive hived.\n") << name;
        EXPECT_EQ(outcome.err, "First file has to be xml\n");
        EXPECT_TRUE(Exists("x.hive"));
        EXPECT_EQ(ReadFile("x.hive"), "");
    }
}

TEST(CombexArchiveErrors, LaterFilesMustEndInIcoAndTheEntriesBeforeStay) {
    ScratchDir scratch;
    WriteFile("my.xml", "m");
    WriteFile("a.ico", "a");
    for (const char* name : {"b.txt", "B.ICO", "b.ico.ico", "b.xml"}) {
        WriteFile(name, "x");
        const Outcome outcome = RunInProcess({"a", "my.xml", "a.ico", name, "a.ico", "x.hive"});
        EXPECT_EQ(outcome.out, "Reading my.xml...\nReading a.ico...\nx.hive hived.\n") << name;
        EXPECT_EQ(outcome.err, "Other files have to be icon\n");
        EXPECT_EQ(ReadFile("x.hive"), Entry("my.xml", "m") + Entry("a.ico", "a"));
    }
}

TEST(CombexArchiveErrors, InputThatCannotBeOpenedStopsTheLoop) {
    ScratchDir scratch;
    WriteFile("my.xml", "m");
    WriteFile("c.ico", "c");
    std::filesystem::create_directory("d.ico");
    for (const char* missing : {"missing.ico", "d.ico"}) {
        const Outcome outcome = RunInProcess({"a", "my.xml", missing, "c.ico", "x.hive"});
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out,
                  "Reading my.xml...\nReading " + std::string(missing) + "...\nx.hive hived.\n");
        EXPECT_EQ(outcome.err, "Unable to open input file " + std::string(missing) + "\n");
        EXPECT_EQ(ReadFile("x.hive"), Entry("my.xml", "m"));
    }
    const Outcome first = RunInProcess({"a", "missing.xml", "x.hive"});
    EXPECT_EQ(first.err, "Unable to open input file missing.xml\n");
    EXPECT_EQ(ReadFile("x.hive"), "");
}

TEST(CombexArchiveErrors, FileOfFourGibibytesCannotBeDescribedAndStopsTheLoop) {
    ScratchDir scratch;
    WriteFile("my.xml", "m");
    WriteFile("c.ico", "c");
    MakeHugeFile("big.ico", std::uint64_t{1} << 32);
    const Outcome outcome = RunInProcess({"a", "my.xml", "big.ico", "c.ico", "x.hive"});
    std::filesystem::remove("big.ico");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "Reading my.xml...\nReading big.ico...\nx.hive hived.\n");
    EXPECT_EQ(outcome.err, "Can't get file size. Funny, eh?\n");
    EXPECT_EQ(ReadFile("x.hive"), Entry("my.xml", "m"));
}

#ifndef _WIN32
// A sysfs file claims 4096 bytes but yields a few: the same as a file that shrinks while it is
// being packed. The entry must claim only what it holds, or every later entry is misread.
TEST(CombexArchiveErrors, FileThatYieldsLessThanItsSizeGetsTheLengthItHeld) {
    ScratchDir scratch;
    const std::string source = "/sys/devices/system/cpu/online";
    std::error_code error;
    const std::string content = ReadFile(source);
    if (std::filesystem::file_size(source, error) <= content.size() || error) {
        GTEST_SKIP() << "no sysfs file that is shorter than its size";
    }
    std::filesystem::create_symlink(source, "shrunk.ico");
    WriteFile("my.xml", "m");
    WriteFile("c.ico", "c");
    const Outcome outcome = RunInProcess({"a", "my.xml", "shrunk.ico", "c.ico", "x.hive"});
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(ReadFile("x.hive"), Entry("my.xml", "m") + Entry("shrunk.ico", content) + Entry("c.ico", "c"));
    std::filesystem::remove("shrunk.ico");
    std::filesystem::remove("c.ico");
    RunInProcess({"e", "x.hive"});
    EXPECT_EQ(ReadFile("c.ico"), "c");
}
#endif

// --- extracting ---

TEST(CombexExtract, RoundTripRestoresEveryFileUnderItsTypedName) {
    ScratchDir scratch;
    const std::vector<std::pair<std::string, std::string>> files = {
        {"beelines.xml", Pattern(20000, 7)}, {"a.ico", Pattern(1078, 8)}, {"b.ico", ""},
        {"c.ico", Pattern(4096, 9)}};
    std::vector<std::string> args = {"a"};
    for (const auto& file : files) {
        WriteFile(file.first, file.second);
        args.push_back(file.first);
    }
    args.push_back("x.hive");
    RunInProcess(args);
    for (const auto& file : files) std::filesystem::remove(file.first);

    const Outcome outcome = RunInProcess({"e", "x.hive"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out + outcome.err, "");
    for (const auto& file : files) EXPECT_EQ(ReadFile(file.first), file.second) << file.first;
    EXPECT_EQ(hive::ExtractHive("x.hive", ""), "beelines.xml");
}

TEST(CombexExtract, MissingOrDamagedHiveIsSilent) {
    ScratchDir scratch;
    const Outcome missing = RunInProcess({"e", "missing.hive"});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.out + missing.err, "");
    WriteFile("x.hive", Entry("b.xml", "x").substr(0, 12));
    const Outcome damaged = RunInProcess({"e", "x.hive"});
    EXPECT_EQ(damaged.status, 0);
    EXPECT_EQ(damaged.out + damaged.err, "");
    EXPECT_FALSE(Exists("b.xml"));
}

TEST(CombexExtract, EachUnsafeNameIsReportedOnItsOwnLine) {
    ScratchDir scratch;
    WriteFile("x.hive", Entry("../up.xml", "x") + Entry("/abs.ico", "1") + Entry("a\\..\\..\\b.ico", "2") +
                            Entry("ok.ico", "3"));
    const Outcome outcome = RunInProcess({"e", "x.hive"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "Skipped unsafe name ../up.xml\nSkipped unsafe name a\\..\\..\\b.ico\n");
    EXPECT_EQ(ReadFile("abs.ico"), "1");
    EXPECT_EQ(ReadFile("ok.ico"), "3");
    EXPECT_FALSE(Exists((scratch.parent() / "up.xml").string()));
}
