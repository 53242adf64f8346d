#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "beelines/documents.h"
#include "tests/beelines/beelines_test_util.h"

namespace {

namespace fs = std::filesystem;
using beelines_test::LineEnd;
using beelines_test::ReadBinary;
using beelines_test::WriteBinary;

std::vector<std::string> g_shown;
void Record(const std::string& text) { g_shown.push_back(text); }

// Each test works in a fresh directory below the working directory and sees what DebugReport
// showed.
class Documents : public ::testing::Test {
protected:
    void SetUp() override {
        g_shown.clear();
        xml::DebugReport::SetSink(&Record);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::path("documents_scratch") / info->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        xml::DebugReport::SetSink(nullptr);
        fs::remove_all(dir_);
    }
    std::string File(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST(DocumentPaths, LieBelowTheProgramDirectory) {
    const char s = beelines::PathSeparator();
    const std::string program = std::string("root") + s + "zumble" + s;
    const beelines::DocumentPaths paths = beelines::PathsFor(program);
    EXPECT_EQ(paths.xmlDirectory, program + "xml" + s);
    EXPECT_EQ(paths.iconDirectory, program + "ico" + s);
    EXPECT_EQ(paths.beelineFile, program + "xml" + s + "beelines.xml");
    EXPECT_EQ(paths.bookmarkFile, program + "xml" + s + "bookmarks.xml");
    EXPECT_EQ(beelines::BackupPath(paths.beelineFile), paths.beelineFile + ".bak");
}

TEST(DocumentPaths, ProgramDirectoryIsTheExecutablePathUpToItsLastSeparator) {
#ifdef _WIN32
    EXPECT_EQ(beelines::ProgramDirectoryOf("C:\\Program Files\\Zumble\\zumble.exe"),
              "C:\\Program Files\\Zumble\\");
    EXPECT_EQ(beelines::ProgramDirectoryOf("C:/tools/zumble.exe"), "C:/tools/");
#else
    EXPECT_EQ(beelines::ProgramDirectoryOf("/opt/zumble/bin/zumble"), "/opt/zumble/bin/");
#endif
    EXPECT_EQ(beelines::ProgramDirectoryOf("zumble.exe"), "");
}

TEST_F(Documents, MissingFileIsReportedAsCannotOpenWithItsPath) {
    const std::string path = File("beelines.xml");
    const beelines::LoadedDocument loaded = beelines::LoadDocument(path);
    EXPECT_EQ(loaded.error, "Cannot open " + path);
    ASSERT_NE(loaded.document, nullptr);
    EXPECT_EQ(loaded.document->root, nullptr);
    EXPECT_EQ(g_shown, std::vector<std::string>{"Cannot open " + path});
}

TEST_F(Documents, MinimalFileLoadsAsAnEmptyRootWithNamesFoldedToLowerCase) {
    const std::string path = File("beelines.xml");
    WriteBinary(path, "<?xml version=\"1.0\"?>\r\n<TREE/>\r\n");
    const beelines::LoadedDocument loaded = beelines::LoadDocument(path);
    EXPECT_TRUE(loaded.ok());
    ASSERT_NE(loaded.document->root, nullptr);
    EXPECT_EQ(loaded.document->root->name, "tree");
    EXPECT_EQ(loaded.document->root->firstChild, nullptr);
    EXPECT_TRUE(g_shown.empty());
}

TEST_F(Documents, ReadErrorIsReportedAndWhatWasReadBeforeItIsKept) {
    const std::string path = File("bookmarks.xml");
    WriteBinary(path, "<?xml version=\"1.0\"?>\n<tree>\n<node name=\"a\" url=\"u\"/>\n<node name=");
    const beelines::LoadedDocument loaded = beelines::LoadDocument(path);
    EXPECT_FALSE(loaded.ok());
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0], loaded.error);
    ASSERT_NE(loaded.document->root, nullptr);
    ASSERT_NE(loaded.document->root->firstChild, nullptr);
    EXPECT_EQ(xml::AttributeValue(loaded.document->root->firstChild->attributes, "name"), "a");
}

TEST_F(Documents, SaveWritesTheWriterLinesInTextMode) {
    const std::string path = File("beelines.xml");
    WriteBinary(path, "<?xml version=\"1.0\"?>\n<tree><node name=\"n\"/></tree>\n");
    const beelines::LoadedDocument loaded = beelines::LoadDocument(path);
    ASSERT_TRUE(loaded.ok());
    ASSERT_TRUE(beelines::SaveDocument(*loaded.document, path));
    const std::string n = LineEnd();
    EXPECT_EQ(ReadBinary(path), "<?xml version=\"1.0\"?>" + n + "<tree>" + n +
                                    "\t<node name=\"n\"/>" + n + "</tree>" + n);
    EXPECT_FALSE(fs::exists(path + ".new"));
}

TEST_F(Documents, SavingTwiceLeavesThePreviousContentInTheBackup) {
    const std::string path = File("bookmarks.xml");
    WriteBinary(path, "original");
    xml::XmlDocument document;
    document.root = new xml::XmlElement(true, "tree");
    ASSERT_TRUE(beelines::SaveDocument(document, path));
    EXPECT_EQ(ReadBinary(path + ".bak"), "original");
    const std::string first = ReadBinary(path);

    document.root->firstChild = new xml::XmlElement(true, "node");
    ASSERT_TRUE(beelines::SaveDocument(document, path));
    EXPECT_EQ(ReadBinary(path + ".bak"), first);
    EXPECT_NE(ReadBinary(path), first);
}

TEST_F(Documents, SaveToAMissingFileCreatesItWithoutABackup) {
    const std::string path = File("new.xml");
    xml::XmlDocument document;
    ASSERT_TRUE(beelines::SaveDocument(document, path));
    EXPECT_EQ(ReadBinary(path), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + LineEnd());
    EXPECT_FALSE(fs::exists(path + ".bak"));
}

TEST_F(Documents, FileThatCannotBeWrittenKeepsItsContentAndNothingIsShown) {
    xml::XmlDocument document;
    document.root = new xml::XmlElement(true, "tree");
    // A directory stands in for a file that cannot be opened for writing.
    const std::string blocked = File("blocked.xml");
    fs::create_directory(blocked);
    EXPECT_FALSE(beelines::SaveDocument(document, blocked));
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_FALSE(beelines::SaveDocument(document, File("missing") + beelines::PathSeparator() +
                                                      "beelines.xml"));
    EXPECT_TRUE(g_shown.empty());
}

// When the new content cannot be written in full, the old file must stay as it was. The new
// content is written beside the file first, so a directory in that place makes the write fail
// after the backup was taken and before the file is touched.
TEST_F(Documents, FailedWriteOfTheReplacementLeavesTheOldFile) {
    const std::string path = File("beelines.xml");
    WriteBinary(path, "old content");
    fs::create_directory(path + ".new");
    xml::XmlDocument document;
    document.root = new xml::XmlElement(true, "tree");
    EXPECT_FALSE(beelines::SaveDocument(document, path));
    EXPECT_EQ(ReadBinary(path), "old content");
    EXPECT_EQ(ReadBinary(path + ".bak"), "old content");
}

}  // namespace
