// Runs the built combex program as a real process (natively, or combex.exe under Wine), to check
// what only a process shows: the two output streams kept apart, the exit status, and that the
// executable starts on its own. The program is copied beside this test at build time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/hive/hive_test_util.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

using hive_test::Entry;
using hive_test::Pattern;
using hive_test::ReadFile;
using hive_test::ScratchDir;
using hive_test::WriteFile;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// Reads a captured stream as text, so that a Windows console program's CR LF reads as LF.
std::string TakeText(const std::string& path) {
    std::string text;
    {
        std::ifstream in(path);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::remove(path);
    return text;
}

// Runs the program from a scratch directory, one level below where it was copied.
Outcome RunProcess(const std::vector<std::string>& args) {
#ifdef _WIN32
    std::string command = std::string("..\\") + COMBEX_EXE_NAME;
    for (const std::string& arg : args) command += " \"" + arg + "\"";
#else
    std::string command = std::string("../") + COMBEX_EXE_NAME;
    for (const std::string& arg : args) command += " '" + arg + "'";
#endif
    command += " >stdout.txt 2>stderr.txt";
    const int raw = std::system(command.c_str());
#ifdef _WIN32
    const int status = raw;
#else
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    return {status, TakeText("stdout.txt"), TakeText("stderr.txt")};
}

}  // namespace

TEST(CombexProcess, UsageGoesToStandardOutputWithExitOne) {
    ScratchDir scratch;
    const Outcome outcome = RunProcess({});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out,
              "Combex (R) Waxer of hive files.\n"
              "Make hive files only if you want to pack icons else just rename xml into hive.\n"
              "\n"
              "Usage: combex a|e [files] hive\n"
              "\ta - archive (ie hive) files\n"
              "\te - extract (ie unhive) files\n");
    EXPECT_EQ(outcome.err, "");
}

TEST(CombexProcess, RejectionGoesToStandardErrorWithExitZero) {
    ScratchDir scratch;
    const Outcome outcome = RunProcess({"x"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "You can either hive [a] or unhive [e]. Do not otherwise like that [x]\n");
}

TEST(CombexProcess, PackThenUnpackRestoresTheFiles) {
    ScratchDir scratch;
    const std::string xml = Pattern(9000, 1), icon = Pattern(4096, 2);
    WriteFile("my.xml", xml);
    WriteFile("a.ico", icon);
    const Outcome packed = RunProcess({"a", "my.xml", "a.ico", "x.hive"});
    EXPECT_EQ(packed.status, 0);
    EXPECT_EQ(packed.out, "Reading my.xml...\nReading a.ico...\nx.hive hived.\n");
    EXPECT_EQ(packed.err, "");
    EXPECT_EQ(ReadFile("x.hive"), Entry("my.xml", xml) + Entry("a.ico", icon));

    std::filesystem::remove("my.xml");
    std::filesystem::remove("a.ico");
    const Outcome unpacked = RunProcess({"extract", "x.hive"});
    EXPECT_EQ(unpacked.status, 0);
    EXPECT_EQ(unpacked.out + unpacked.err, "");
    EXPECT_EQ(ReadFile("my.xml"), xml);
    EXPECT_EQ(ReadFile("a.ico"), icon);
}

TEST(CombexProcess, ErrorsAndProgressAreKeptApart) {
    ScratchDir scratch;
    WriteFile("my.xml", "m");
    const Outcome outcome = RunProcess({"a", "my.xml", "b.txt", "x.hive"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "Reading my.xml...\nx.hive hived.\n");
    EXPECT_EQ(outcome.err, "Other files have to be icon\n");
}

TEST(CombexProcess, UnsafeNamesAreReportedWhenUnpacking) {
    ScratchDir scratch;
    WriteFile("x.hive", Entry("my.xml", "m") + Entry("../up.ico", "u"));
    const Outcome outcome = RunProcess({"e", "x.hive"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "Skipped unsafe name ../up.ico\n");
    EXPECT_EQ(ReadFile("my.xml"), "m");
    EXPECT_FALSE(hive_test::Exists((scratch.parent() / "up.ico").string()));
}
