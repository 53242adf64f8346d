// The program tree zumble.exe runs from: the shipped documents read with the program's own
// reader and follow the beeline schema, every icon they name is there and loads, and the help
// page is in place.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "beelines/beeline_nodes.h"
#include "beelines/bookmarks.h"
#include "beelines/documents.h"
#include "xml/xml.h"

namespace {

// Set by the build: the tree relative to the test's working directory, ending in a separator.
const std::string kTree = ZUMBLE_TEST_PROGRAM_TREE;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> AttributeNames(const xml::XmlElement& element) {
    std::vector<std::string> names;
    for (const xml::XmlAttribute* a = element.attributes; a != nullptr; a = a->next) {
        names.push_back(a->name);
    }
    return names;
}

bool Has(const xml::XmlElement& element, const char* name) {
    return xml::FindAttribute(element.attributes, name) != nullptr;
}

// What a walk over the shipped beelines found, for the checks that look at the whole file.
struct Survey {
    std::vector<const xml::XmlElement*> beelines;
    std::vector<std::string> icons;
    int honeycombs = 0;
    int selectParams = 0;
};

void CheckParams(const xml::XmlElement& beeline, Survey& survey) {
    const std::string name = xml::AttributeValue(beeline.attributes, "name");
    for (const xml::XmlElement* param = beeline.firstChild; param; param = param->nextSibling) {
        SCOPED_TRACE("beeline " + name + ", param " +
                     xml::AttributeValue(param->attributes, "name"));
        EXPECT_EQ(param->name, "param");
        EXPECT_TRUE(Has(*param, "name"));
        EXPECT_TRUE(Has(*param, "value"));
        if (const xml::XmlAttribute* type = xml::FindAttribute(param->attributes, "type")) {
            EXPECT_EQ(type->value, "secure");
            EXPECT_TRUE(beelines::TargetOf(beeline).post) << "a secret cannot go in a GET URL";
        }
        if (param->firstChild != nullptr) ++survey.selectParams;
        for (const xml::XmlElement* option = param->firstChild; option;
             option = option->nextSibling) {
            EXPECT_EQ(option->name, "option");
            EXPECT_EQ(AttributeNames(*option), (std::vector<std::string>{"name", "value"}));
            EXPECT_EQ(option->firstChild, nullptr);
        }
    }
}

void Walk(const xml::XmlElement* node, Survey& survey) {
    for (; node != nullptr; node = node->nextSibling) {
        const std::string name = xml::AttributeValue(node->attributes, "name");
        SCOPED_TRACE("node " + name);
        EXPECT_EQ(node->name, "node");
        EXPECT_FALSE(name.empty());
        if (!beelines::IsBeeline(*node)) {
            ++survey.honeycombs;
            EXPECT_EQ(AttributeNames(*node), std::vector<std::string>{"name"});
            EXPECT_TRUE(node->firstChild == nullptr || beelines::HasSubNodes(*node));
            Walk(node->firstChild, survey);
            continue;
        }
        survey.beelines.push_back(node);
        EXPECT_NE(Has(*node, "get"), Has(*node, "post")) << "exactly one method";
        EXPECT_FALSE(beelines::TargetOf(*node).url.empty());
        EXPECT_GE(beelines::NodeTypeIndex(xml::AttributeValue(node->attributes, "type")), 0);
        for (const std::string& attribute : AttributeNames(*node)) {
            EXPECT_TRUE(attribute == "name" || attribute == "type" || attribute == "get" ||
                        attribute == "post" || attribute == "icon")
                << attribute;
        }
        if (Has(*node, "icon")) survey.icons.push_back(xml::AttributeValue(node->attributes, "icon"));
        CheckParams(*node, survey);
    }
}

class ShippedBeelines : public ::testing::Test {
protected:
    void SetUp() override {
        loaded_ = beelines::LoadDocument(beelines::PathsFor(kTree).beelineFile);
        ASSERT_TRUE(loaded_.ok()) << loaded_.error;
        ASSERT_NE(loaded_.document->root, nullptr);
        Walk(loaded_.document->root->firstChild, survey_);
    }
    beelines::LoadedDocument loaded_;
    Survey survey_;
};

TEST_F(ShippedBeelines, FollowTheSchemaUnderATreeRoot) {
    EXPECT_EQ(loaded_.document->root->name, "tree");
    EXPECT_EQ(loaded_.document->root->nextSibling, nullptr);
    EXPECT_GE(survey_.honeycombs, 3);
    EXPECT_GE(survey_.beelines.size(), 10u);
    EXPECT_GE(survey_.selectParams, 1);
}

TEST_F(ShippedBeelines, CoverTheMainKindsOfSearchWithGetAndPost) {
    std::vector<std::string> types;
    int posts = 0, gets = 0;
    for (const xml::XmlElement* beeline : survey_.beelines) {
        types.push_back(xml::AttributeValue(beeline->attributes, "type"));
        (beelines::TargetOf(*beeline).post ? posts : gets) += 1;
    }
    for (const char* kind : {"default search", "search", "news search", "image search",
                             "encyclopedia", "dictionary"}) {
        EXPECT_NE(std::find(types.begin(), types.end(), kind), types.end()) << kind;
    }
    EXPECT_GT(posts, 0);
    EXPECT_GT(gets, 0);
}

// A search puts the keyword into the first parameter left empty; with any other empty value the
// user would be asked for it on every search.
TEST_F(ShippedBeelines, SearchBeelinesLeaveExactlyTheirFirstParameterOpenForTheKeyword) {
    for (const xml::XmlElement* beeline : survey_.beelines) {
        if (xml::AttributeValue(beeline->attributes, "type") == "regular") continue;
        SCOPED_TRACE(xml::AttributeValue(beeline->attributes, "name"));
        ASSERT_NE(beeline->firstChild, nullptr);
        EXPECT_EQ(xml::AttributeValue(beeline->firstChild->attributes, "value"), "");
        int empty = 0;
        for (const xml::XmlElement* p = beeline->firstChild; p; p = p->nextSibling) {
            empty += xml::AttributeValue(p->attributes, "value").empty();
        }
        EXPECT_EQ(empty, 1);
    }
}

TEST_F(ShippedBeelines, EveryNamedIconIsInTheTreeAndLoadsAtSixteenPixels) {
    ASSERT_FALSE(survey_.icons.empty());
    for (const std::string& icon : survey_.icons) {
        const std::string path = beelines::PathsFor(kTree).iconDirectory + icon;
        HANDLE loaded = LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE);
        EXPECT_NE(loaded, nullptr) << path;
        if (loaded != nullptr) DestroyIcon(static_cast<HICON>(loaded));
    }
}

TEST(ShippedBookmarks, AreBookmarksWithPositions) {
    const beelines::LoadedDocument loaded =
        beelines::LoadDocument(beelines::PathsFor(kTree).bookmarkFile);
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    const auto bookmarks = beelines::BookmarkNodes(*loaded.document);
    ASSERT_GE(bookmarks.size(), 2u);
    bool scrolled = false;
    for (const xml::XmlElement* bookmark : bookmarks) {
        EXPECT_EQ(AttributeNames(*bookmark), (std::vector<std::string>{"name", "url"}));
        ASSERT_NE(bookmark->firstChild, nullptr);
        EXPECT_EQ(bookmark->firstChild->name, "pos");
        EXPECT_EQ(AttributeNames(*bookmark->firstChild), std::vector<std::string>{"y"});
        scrolled |= beelines::BookmarkPosition(*bookmark) > 0;
    }
    EXPECT_TRUE(scrolled);
    EXPECT_EQ(loaded.document->root->nextSibling, nullptr);
}

// The writer keeps the declaration it read, so the shipped one is what every later save carries.
TEST(ShippedDocuments, StartWithTheIsoLatinDeclaration) {
    for (const char* file : {"beelines.xml", "bookmarks.xml"}) {
        const std::string text = ReadFile(beelines::PathsFor(kTree).xmlDirectory + file);
        EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n", 0), 0u)
            << file;
        EXPECT_EQ(text.find("&#"), std::string::npos) << file << ": the reader knows no such entity";
    }
}

TEST(ShippedHelp, IsTheIndexPageBelowHtml) {
    const std::string page = ReadFile(kTree + "html/zumble/index.html");
    EXPECT_NE(page.find("<title>Zumble help</title>"), std::string::npos);
    for (const char* topic : {"Ctrl</kbd>+<kbd>Alt</kbd>+<kbd>1", "honeycomb", "secure",
                              "combex a", "Structure", "Monitor browser windows"}) {
        EXPECT_NE(page.find(topic), std::string::npos) << topic;
    }
}

}  // namespace
