#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "hive/hive.h"
#include "tests/hive/hive_test_util.h"

using hive::EntryHeader;
using hive::ExtractHive;
using hive::SafeEntryPath;
using hive_test::Entry;
using hive_test::Exists;
using hive_test::Listing;
using hive_test::Pattern;
using hive_test::ReadFile;
using hive_test::ScratchDir;
using hive_test::WriteFile;

namespace {

// An accepted name as SafeEntryPath returns it here: off Windows '\' turns into '/'.
std::string Native(std::string name) {
#ifndef _WIN32
    std::replace(name.begin(), name.end(), '\\', '/');
#endif
    return name;
}

// A raw header, for lengths that disagree with what follows.
std::string Lengths(std::uint32_t dataLength, std::uint32_t nameLength) {
    std::string header;
    for (std::uint32_t value : {dataLength, nameLength}) {
        for (int shift = 0; shift < 32; shift += 8) header += static_cast<char>(value >> shift);
    }
    return header;
}

}  // namespace

// --- the writer side ---

TEST(EntryHeader, IsTwoLittleEndianLengthsThenTheName) {
    EXPECT_EQ(EntryHeader(300, "my.xml"), std::string("\x2C\x01\x00\x00\x06\x00\x00\x00my.xml", 14));
    EXPECT_EQ(EntryHeader(0xA1B2C3D4u, ""), std::string("\xD4\xC3\xB2\xA1\x00\x00\x00\x00", 8));
}

// --- extraction of sound hives ---

TEST(ExtractHive, WorkedExampleWritesBothFilesAndReturnsTheXmlName) {
    ScratchDir scratch;
    const std::string xml = Pattern(300, 1), icon = Pattern(1078, 2);
    const std::string bytes = Entry("my.xml", xml) + Entry("a.ico", icon);
    ASSERT_EQ(bytes.size(), 1405u);
    ASSERT_EQ(bytes.substr(0, 8), std::string("\x2C\x01\x00\x00\x06\x00\x00\x00", 8));
    ASSERT_EQ(bytes.substr(314, 8), std::string("\x36\x04\x00\x00\x05\x00\x00\x00", 8));
    WriteFile("x.hive", bytes);
    std::filesystem::create_directory("icons");

    EXPECT_EQ(ExtractHive("x.hive", "icons/"), "my.xml");
    EXPECT_EQ(ReadFile("my.xml"), xml);
    EXPECT_EQ(ReadFile("icons/a.ico"), icon);
    EXPECT_FALSE(Exists("a.ico"));
    EXPECT_FALSE(Exists("icons/my.xml"));
    EXPECT_EQ(ReadFile("x.hive"), bytes) << "reading a hive must not change it";
}

TEST(ExtractHive, TargetDirectoryIsPlainlyConcatenated) {
    ScratchDir scratch;
    WriteFile("x.hive", Entry("b.xml", "x") + Entry("a.ico", "y"));
    EXPECT_EQ(ExtractHive("x.hive", "pre_"), "b.xml");
    EXPECT_EQ(ReadFile("pre_a.ico"), "y");
    EXPECT_EQ(ReadFile("b.xml"), "x");
}

TEST(ExtractHive, ZeroDataLengthGivesAnEmptyFile) {
    ScratchDir scratch;
    WriteFile("x.hive", Entry("b.xml", "") + Entry("empty.ico", "") + Entry("c.ico", "z"));
    EXPECT_EQ(ExtractHive("x.hive", ""), "b.xml");
    ASSERT_TRUE(Exists("empty.ico"));
    EXPECT_EQ(ReadFile("empty.ico"), "");
    EXPECT_EQ(ReadFile("b.xml"), "");
    EXPECT_EQ(ReadFile("c.ico"), "z");
}

TEST(ExtractHive, LaterEntriesWithTheSameNameOverwriteAndTheLastWins) {
    ScratchDir scratch;
    WriteFile("same.ico", std::string(10000, 'o'));
    WriteFile("x.hive", Entry("b.xml", "x") + Entry("same.ico", "first, longer") +
                            Entry("same.ico", "last"));
    ExtractHive("x.hive", "");
    EXPECT_EQ(ReadFile("same.ico"), "last");
}

TEST(ExtractHive, EntryInAMissingSubdirectoryIsSkippedSilently) {
    ScratchDir scratch;
    WriteFile("x.hive", Entry("b.xml", "x") + Entry("sub\\x.ico", "1") + Entry("y.ico", "2"));
    std::vector<std::string> refused;
    EXPECT_EQ(ExtractHive("x.hive", "", &refused), "b.xml");
    EXPECT_TRUE(refused.empty());
    EXPECT_EQ(ReadFile("y.ico"), "2");
    EXPECT_EQ(Listing(scratch.path()), (std::vector<std::string>{"b.xml", "x.hive", "y.ico"}));
}

TEST(ExtractHive, EntryInAnExistingSubdirectoryIsWrittenWithEitherSeparator) {
    ScratchDir scratch;
    std::filesystem::create_directories("ico/sub");
    WriteFile("x.hive", Entry("dir\\b.xml", "x") + Entry("sub\\x.ico", "1") + Entry("sub/y.ico", "2"));
    std::filesystem::create_directory("dir");
    EXPECT_EQ(ExtractHive("x.hive", "ico/"), "dir\\b.xml");
    EXPECT_EQ(ReadFile("dir/b.xml"), "x");
    EXPECT_EQ(ReadFile("ico/sub/x.ico"), "1");
    EXPECT_EQ(ReadFile("ico/sub/y.ico"), "2");
}

TEST(ExtractHive, HiveThatCannotBeOpenedGivesEmptyNameAndWritesNothing) {
    ScratchDir scratch;
    EXPECT_EQ(ExtractHive("no such.hive", ""), "");
    EXPECT_EQ(ExtractHive("no such dir/x.hive", ""), "");
    EXPECT_TRUE(Listing(scratch.path()).empty());
}

TEST(ExtractHive, EmptyHiveGivesEmptyName) {
    ScratchDir scratch;
    WriteFile("x.hive", "");
    EXPECT_EQ(ExtractHive("x.hive", ""), "");
    EXPECT_EQ(Listing(scratch.path()), std::vector<std::string>{"x.hive"});
}

// --- damaged and foreign files ---

TEST(DamagedHive, HugeDataLengthIsNeitherAllocatedNorReadAndEndsExtraction) {
    ScratchDir scratch;
    WriteFile("x.hive", Lengths(0xFFFFFFFFu, 5) + "b.xml" + "short data" + Entry("a.ico", "1"));
    EXPECT_EQ(ExtractHive("x.hive", ""), "b.xml");
    EXPECT_EQ(Listing(scratch.path()), std::vector<std::string>{"x.hive"});
}

TEST(DamagedHive, HugeNameLengthEndsExtractionWithoutAName) {
    ScratchDir scratch;
    WriteFile("x.hive", Lengths(1, 0xFFFFFFFFu) + "b.xml" + std::string(100, 'x'));
    EXPECT_EQ(ExtractHive("x.hive", ""), "");
    EXPECT_EQ(Listing(scratch.path()), std::vector<std::string>{"x.hive"});
}

TEST(DamagedHive, CutOffHeaderKeepsTheEntriesBeforeIt) {
    ScratchDir scratch;
    for (std::size_t cut = 1; cut < 8; ++cut) {
        WriteFile("x.hive", Entry("b.xml", "x") + Entry("a.ico", "1").substr(0, cut));
        EXPECT_EQ(ExtractHive("x.hive", ""), "b.xml");
        EXPECT_EQ(ReadFile("b.xml"), "x");
        EXPECT_FALSE(Exists("a.ico")) << cut;
    }
}

TEST(DamagedHive, CutOffNameIsSkipped) {
    ScratchDir scratch;
    WriteFile("x.hive", Entry("b.xml", "x").substr(0, 10));
    EXPECT_EQ(ExtractHive("x.hive", ""), "");
    WriteFile("x.hive", Entry("b.xml", "x") + Entry("a.ico", "1").substr(0, 11));
    EXPECT_EQ(ExtractHive("x.hive", ""), "b.xml");
    EXPECT_EQ(Listing(scratch.path()), (std::vector<std::string>{"b.xml", "x.hive"}));
}

TEST(DamagedHive, CutOffDataIsNotWrittenAndLeavesAnExistingFileAlone) {
    ScratchDir scratch;
    WriteFile("a.ico", "previous");
    WriteFile("x.hive", Entry("b.xml", "x") + Entry("a.ico", "0123456789").substr(0, 8 + 5 + 9));
    EXPECT_EQ(ExtractHive("x.hive", ""), "b.xml");
    EXPECT_EQ(ReadFile("b.xml"), "x");
    EXPECT_EQ(ReadFile("a.ico"), "previous");
}

TEST(DamagedHive, PlainXmlFileGivenAsHiveWritesNothing) {
    ScratchDir scratch;
    WriteFile("x.hive",
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<beelines>\n\t<beeline name=\"a\"/>\n"
              "</beelines>\n");
    EXPECT_EQ(ExtractHive("x.hive", "icons/"), "");
    EXPECT_EQ(Listing(scratch.path()), std::vector<std::string>{"x.hive"});
}

// --- untrusted names ---

TEST(SafeEntryPath, KeepsRelativeNames) {
    EXPECT_EQ(SafeEntryPath("my.xml"), "my.xml");
    EXPECT_EQ(SafeEntryPath("dir\\my.xml"), Native("dir\\my.xml"));
    EXPECT_EQ(SafeEntryPath("a/b\\c.ico"), Native("a/b\\c.ico"));
    EXPECT_EQ(SafeEntryPath("./x.ico"), "./x.ico");
    EXPECT_EQ(SafeEntryPath("..x.ico"), "..x.ico");
    EXPECT_EQ(SafeEntryPath("a..b/c.. d.ico"), "a..b/c.. d.ico");
}

TEST(SafeEntryPath, StripsDriveRootAndUncPrefixes) {
    EXPECT_EQ(SafeEntryPath("/etc/x.ico"), "etc/x.ico");
    EXPECT_EQ(SafeEntryPath("\\x.ico"), "x.ico");
    EXPECT_EQ(SafeEntryPath("C:x.ico"), "x.ico");
    EXPECT_EQ(SafeEntryPath("C:\\dir\\x.ico"), Native("dir\\x.ico"));
    EXPECT_EQ(SafeEntryPath("z:/x.ico"), "x.ico");
    EXPECT_EQ(SafeEntryPath("\\\\server\\share\\dir\\x.ico"), Native("dir\\x.ico"));
    EXPECT_EQ(SafeEntryPath("//server/share/x.ico"), "x.ico");
    EXPECT_EQ(SafeEntryPath("\\\\?\\C:\\x.ico"), "x.ico");
    EXPECT_EQ(SafeEntryPath("/C:/x.ico"), "x.ico");
    EXPECT_EQ(SafeEntryPath("C:/D:/x.ico"), "x.ico");
    EXPECT_EQ(SafeEntryPath("1:\\x.ico"), "x.ico");
    EXPECT_EQ(SafeEntryPath("sub/c:x.ico"), "sub/c:x.ico");
}

// Found by the fuzzer: Windows reads any character before a colon as a drive, so "\3:\ab.ico" is
// as absolute as "C:\ab.ico".
TEST(SafeEntryPath, RegressionNonLetterDrivePrefixIsStripped) {
    EXPECT_EQ(SafeEntryPath("\3:\\ab\317.cio"), Native("ab\317.cio"));
    ScratchDir scratch;
    WriteFile("x.hive", Entry("../up.xml", "x") + Entry("\3:\\ab.ico", "0") + Entry("\\\\srv\\shar..\\b.ico", "3"));
    std::filesystem::create_directory("t");
    std::vector<std::string> refused;
    EXPECT_EQ(ExtractHive("x.hive", "t/", &refused), "../up.xml");
    EXPECT_EQ(refused, std::vector<std::string>{"../up.xml"});
    EXPECT_EQ(ReadFile("t/ab.ico"), "0");
    EXPECT_EQ(ReadFile("t/b.ico"), "3");
}

TEST(SafeEntryPath, RefusesParentComponentsAndEmptyRests) {
    for (const char* name :
         {"..", "../x.ico", "..\\x.ico", "a/../x.ico", "a\\..\\..\\x.ico", "a/..", "C:..\\x.ico",
          "/../x.ico", "\\\\server\\share\\..\\x.ico", ".. /x.ico", "...\\x.ico", ". ./x.ico", "",
          "/", "C:", "C:\\", "\\\\server\\share\\", "\\\\server"}) {
        EXPECT_EQ(SafeEntryPath(name), "") << name;
    }
    EXPECT_EQ(SafeEntryPath(std::string("a\0/../x.ico", 11)), "");
    EXPECT_EQ(SafeEntryPath(std::string("x.ico\0", 6)), "");
}

TEST(ExtractHive, AbsoluteAndUncNamesLandBelowTheTarget) {
    ScratchDir scratch;
    std::filesystem::create_directory("t");
    WriteFile("x.hive", Entry("/first.xml", "f") + Entry("/abs.ico", "1") +
                            Entry("C:\\drive.ico", "2") + Entry("\\\\server\\share\\unc.ico", "3"));
    std::vector<std::string> refused;
    EXPECT_EQ(ExtractHive("x.hive", "t/", &refused), "/first.xml");
    EXPECT_TRUE(refused.empty());
    EXPECT_EQ(ReadFile("first.xml"), "f");
    EXPECT_EQ(ReadFile("t/abs.ico"), "1");
    EXPECT_EQ(ReadFile("t/drive.ico"), "2");
    EXPECT_EQ(ReadFile("t/unc.ico"), "3");
}

TEST(ExtractHive, AbsoluteNameOutsideIsNotWrittenThere) {
    ScratchDir scratch;
    const std::string outside = (scratch.parent() / "outside.ico").string();
    ASSERT_FALSE(Exists(outside));
    WriteFile("x.hive", Entry("b.xml", "x") + Entry(outside, "1"));
    ExtractHive("x.hive", "");
    EXPECT_FALSE(Exists(outside));
    std::filesystem::remove(outside);
}

TEST(ExtractHive, ParentComponentsAreRefusedReportedAndTheRestStillWritten) {
    ScratchDir scratch;
    std::filesystem::create_directory("sub");
    WriteFile("x.hive", Entry("b.xml", "x") + Entry("../up.ico", "1") + Entry("sub/../../up2.ico", "2") +
                            Entry("..\\back.ico", "3") + Entry("", "4") + Entry("ok.ico", "5"));
    std::vector<std::string> refused;
    EXPECT_EQ(ExtractHive("x.hive", "sub/", &refused), "b.xml");
    EXPECT_EQ(refused,
              (std::vector<std::string>{"../up.ico", "sub/../../up2.ico", "..\\back.ico", ""}));
    EXPECT_EQ(ReadFile("sub/ok.ico"), "5");
    EXPECT_EQ(Listing(scratch.path()), (std::vector<std::string>{"b.xml", "sub", "sub/ok.ico", "x.hive"}));
    for (const char* escaped : {"up.ico", "up2.ico", "back.ico"}) {
        EXPECT_FALSE(Exists((scratch.parent() / escaped).string())) << escaped;
    }
}

TEST(ExtractHive, UnsafeFirstEntryIsRefusedButItsStoredNameIsReturned) {
    ScratchDir scratch;
    WriteFile("x.hive", Entry("../evil.xml", "x") + Entry("a.ico", "1"));
    std::vector<std::string> refused;
    EXPECT_EQ(ExtractHive("x.hive", "", &refused), "../evil.xml");
    EXPECT_EQ(refused, std::vector<std::string>{"../evil.xml"});
    EXPECT_EQ(SafeEntryPath("../evil.xml"), "");
    EXPECT_FALSE(Exists((scratch.parent() / "evil.xml").string()));
    EXPECT_EQ(ReadFile("a.ico"), "1");
}
