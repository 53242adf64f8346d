#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "beelines/beeline_nodes.h"
#include "beelines/bookmarks.h"
#include "tests/beelines/beelines_test_util.h"

namespace {

using beelines_test::Parse;

std::string Written(const xml::XmlDocument& document) {
    std::ostringstream out;
    out << *document.root;
    return out.str();
}

TEST(NodeTypes, TableOrderGivesTheSearchBits) {
    EXPECT_EQ(beelines::NodeTypeIndex("regular"), 0);
    EXPECT_EQ(beelines::NodeTypeIndex("default search"), 1);
    EXPECT_EQ(beelines::NodeTypeIndex("search"), 2);
    EXPECT_EQ(beelines::NodeTypeIndex("image search"), 4);
    EXPECT_EQ(beelines::NodeTypeIndex("encyclopedia"), 11);
    EXPECT_EQ(beelines::NodeTypeIndex("dictionary"), 12);
    EXPECT_EQ(beelines::NodeTypeIndex("quotations"), 15);
    EXPECT_EQ(beelines::NodeTypeIndex("Search"), -1);
    EXPECT_EQ(beelines::NodeTypeIndex("search "), -1);
    EXPECT_EQ(beelines::NodeTypeIndex(""), -1);
}

TEST(BeelineNodes, GetOrPostMakesABeelineAndGetWins) {
    auto document = Parse(
        "<tree><node name=\"h\"><param name=\"p\"/></node><node name=\"g\" get=\"G\"/>"
        "<node name=\"p\" post=\"P\"/><node name=\"both\" post=\"P\" get=\"G\"/></tree>");
    const xml::XmlElement* honeycomb = document->root->firstChild;
    const xml::XmlElement* get = honeycomb->nextSibling;
    const xml::XmlElement* post = get->nextSibling;
    const xml::XmlElement* both = post->nextSibling;
    EXPECT_FALSE(beelines::IsBeeline(*honeycomb));
    EXPECT_TRUE(beelines::IsBeeline(*get));
    EXPECT_TRUE(beelines::IsBeeline(*post));
    EXPECT_EQ(beelines::TargetOf(*post).url, "P");
    EXPECT_TRUE(beelines::TargetOf(*post).post);
    EXPECT_EQ(beelines::TargetOf(*both).url, "G");
    EXPECT_FALSE(beelines::TargetOf(*both).post);
}

TEST(BeelineNodes, TreeDescendsOnlyWhenTheFirstChildIsANode) {
    auto document = Parse(
        "<tree><node name=\"a\"><node name=\"inner\"/></node>"
        "<node name=\"b\" get=\"u\"><param name=\"p\"/><node name=\"late\"/></node>"
        "<node name=\"c\"/></tree>");
    const xml::XmlElement* a = document->root->firstChild;
    EXPECT_TRUE(beelines::HasSubNodes(*a));
    EXPECT_FALSE(beelines::HasSubNodes(*a->nextSibling));
    EXPECT_FALSE(beelines::HasSubNodes(*a->nextSibling->nextSibling));
}

TEST(CheckNode, NodeWithoutNameIsNotListed) {
    auto document = Parse("<tree><node get=\"u\" type=\"nonsense\"/></tree>");
    const beelines::NodeCheck check = beelines::CheckNode(*document->root->firstChild);
    EXPECT_FALSE(check.listed);
    EXPECT_EQ(check.warning, "");
}

TEST(CheckNode, UnknownTypeWarnsAndOnlySearchGetsStateImageTwo) {
    auto document = Parse(
        "<tree><node name=\"S\" type=\"Search\" get=\"u\"/><node name=\"s\" type=\"search\" "
        "get=\"u\"/><node name=\"e\" type=\"\"/><node name=\"d\" type=\"dictionary\"/></tree>");
    const xml::XmlElement* capital = document->root->firstChild;
    const beelines::NodeCheck capitalCheck = beelines::CheckNode(*capital);
    EXPECT_TRUE(capitalCheck.listed);
    EXPECT_EQ(capitalCheck.warning, "Node S has invalid type Search");
    EXPECT_EQ(capitalCheck.stateImage, 1);

    const beelines::NodeCheck search = beelines::CheckNode(*capital->nextSibling);
    EXPECT_EQ(search.warning, "");
    EXPECT_EQ(search.stateImage, 2);

    const xml::XmlElement* empty = capital->nextSibling->nextSibling;
    EXPECT_EQ(beelines::CheckNode(*empty).warning, "Node e has invalid type ");
    EXPECT_EQ(beelines::CheckNode(*empty->nextSibling).warning, "");
    EXPECT_EQ(beelines::CheckNode(*empty->nextSibling).stateImage, 1);
}

TEST(CheckNode, LabelIconAndDefaultImage) {
    auto document =
        Parse("<tree><node name=\"Web\" icon=\"web.ico\"/><node name=\"Find\" post=\"u\"/></tree>");
    const beelines::NodeCheck honeycomb = beelines::CheckNode(*document->root->firstChild);
    EXPECT_EQ(honeycomb.label, "Web");
    EXPECT_EQ(honeycomb.icon, "web.ico");
    EXPECT_EQ(honeycomb.defaultImage, 0);
    const beelines::NodeCheck beeline = beelines::CheckNode(*document->root->firstChild->nextSibling);
    EXPECT_EQ(beeline.icon, "");
    EXPECT_EQ(beeline.defaultImage, 1);
}

TEST(Bookmarks, ListStopsAtTheFirstChildThatIsNotANode) {
    auto document = Parse(
        "<bookmarks><node name=\"a\" url=\"A\"><pos y=\"120\"/></node><node name=\"b\" url=\"B\"/>"
        "<other/><node name=\"c\" url=\"C\"/></bookmarks>");
    const auto nodes = beelines::BookmarkNodes(*document);
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(beelines::BookmarkPosition(*nodes[0]), 120);
    EXPECT_EQ(beelines::BookmarkPosition(*nodes[1]), 0);
    EXPECT_TRUE(beelines::BookmarkNodes(xml::XmlDocument()).empty());
}

TEST(Bookmarks, NewBookmarkBecomesTheFirstChildWithNameUrlAndOnePosition) {
    auto document = Parse("<bookmarks><node name=\"old\" url=\"http://old/\"/></bookmarks>");
    xml::XmlElement* added = beelines::AddBookmark(*document, "Title & more", "http://new/", 345);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(document->root->firstChild, added);
    EXPECT_EQ(Written(*document),
              "<bookmarks>\n"
              "\t<node name=\"Title &amp; more\" url=\"http://new/\">\n"
              "\t\t<pos y=\"345\"/>\n"
              "\t</node>\n"
              "\t<node name=\"old\" url=\"http://old/\"/>\n"
              "</bookmarks>\n");
}

TEST(Bookmarks, SameUrlInOtherCaseReplacesAllPositionsOfTheExistingBookmark) {
    auto document = Parse(
        "<bookmarks><node name=\"first\" url=\"http://a/\"/><node name=\"page\" "
        "url=\"HTTP://Example.ORG/x\"><pos y=\"1\"/><pos y=\"2\"/><note/></node></bookmarks>");
    xml::XmlElement* updated =
        beelines::AddBookmark(*document, "ignored", "http://example.org/X", -40);
    ASSERT_NE(updated, nullptr);
    EXPECT_EQ(beelines::BookmarkNodes(*document).size(), 2u);
    EXPECT_EQ(xml::AttributeValue(updated->attributes, "name"), "page");
    ASSERT_NE(updated->firstChild, nullptr);
    EXPECT_EQ(updated->firstChild->nextSibling, nullptr);
    EXPECT_EQ(beelines::BookmarkPosition(*updated), -40);
}

TEST(Bookmarks, CaseFoldingCoversOnlyAsciiLetters) {
    EXPECT_TRUE(beelines::EqualsIgnoringAsciiCase("AbC-1", "aBc-1"));
    EXPECT_FALSE(beelines::EqualsIgnoringAsciiCase("\xC4", "\xE4"));
    EXPECT_FALSE(beelines::EqualsIgnoringAsciiCase("ab", "abc"));
    EXPECT_FALSE(beelines::EqualsIgnoringAsciiCase("[", "{"));
}

TEST(Bookmarks, DocumentWithoutRootTakesNoBookmark) {
    xml::XmlDocument document;
    EXPECT_EQ(beelines::AddBookmark(document, "t", "u", 1), nullptr);
    EXPECT_EQ(document.root, nullptr);
}

}  // namespace
