#include <gtest/gtest.h>

#include <fstream>
#include <istream>
#include <sstream>
#include <string>

#include "tests/xml/xml_test_util.h"
#include "xml/xml.h"

using xml::XmlDocument;
using xml::XmlElement;
using xml_test::ReadError;
using xml_test::ReadInto;

namespace {

const std::string kDecl = "<?xml version=\"1.0\"?>";

}  // namespace

// --- empty input and the declaration ---

TEST(XmlReader, EmptyStreamReadsAsEmptyDocument) {
    XmlDocument doc;
    EXPECT_EQ(ReadInto(doc, ""), "");
    EXPECT_EQ(doc.declaration, nullptr);
    EXPECT_EQ(doc.root, nullptr);
}

TEST(XmlReader, WhiteSpaceOnlyStreamReadsAsEmptyDocument) {
    XmlDocument doc;
    EXPECT_EQ(ReadInto(doc, " \t\r\n\v\f "), "");
    EXPECT_EQ(doc.declaration, nullptr);
    EXPECT_EQ(doc.root, nullptr);
}

namespace {

// The reader's message for a stream that holds no document at all.
std::string StreamError(std::istream& in) {
    XmlDocument doc;
    try {
        in >> doc;
    } catch (const xml::XmlParseError& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace

TEST(XmlReader, StreamThatCannotBeReadFailsOnMissingLessThan) {
    std::ifstream unopened("no such directory/no such file.xml");
    EXPECT_EQ(StreamError(unopened), "< expected");
    std::istream withoutBuffer(nullptr);
    EXPECT_EQ(StreamError(withoutBuffer), "< expected");
}

TEST(XmlReader, FirstTagMustBeTheDeclaration) {
    XmlDocument doc;
    EXPECT_EQ(ReadInto(doc, "<tree></tree>"), "xml tag expected");
    ASSERT_NE(doc.declaration, nullptr);  // kept for the owner to destroy
    EXPECT_EQ(doc.declaration->name, "tree");
}

TEST(XmlReader, DeclarationNameIsComparedWithoutCase) {
    XmlDocument doc;
    EXPECT_EQ(ReadInto(doc, "<?XML version=\"1.0\"?><a/>"), "");
    ASSERT_NE(doc.declaration, nullptr);
    EXPECT_EQ(doc.declaration->name, "?xml");
    EXPECT_EQ(xml::AttributeValue(doc.declaration->attributes, "version"), "1.0");
    ASSERT_NE(doc.root, nullptr);
    EXPECT_EQ(doc.root->name, "a");
}

TEST(XmlReader, DeclarationAloneHasNoRoot) {
    XmlDocument doc;
    EXPECT_EQ(ReadInto(doc, kDecl + "\r\n"), "");
    EXPECT_NE(doc.declaration, nullptr);
    EXPECT_EQ(doc.root, nullptr);
}

// --- names and attributes ---

TEST(XmlReader, NamesAreFoldedToLowerCase) {
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "<Node Name=\"X\"/>"), "");
    ASSERT_NE(doc.root, nullptr);
    EXPECT_EQ(doc.root->name, "node");
    ASSERT_NE(doc.root->attributes, nullptr);
    EXPECT_EQ(doc.root->attributes->name, "name");
    EXPECT_EQ(doc.root->attributes->value, "X");
    EXPECT_EQ(xml::FindAttribute(doc.root->attributes, "NAME"), doc.root->attributes);
}

TEST(XmlReader, NamesAreFoldedToUpperCaseWhenAsked) {
    XmlDocument doc(false);
    ASSERT_EQ(ReadInto(doc, "<?xml?><Node Name=\"x\"/>"), "");
    EXPECT_EQ(doc.declaration->name, "?XML");
    EXPECT_EQ(doc.root->name, "NODE");
    EXPECT_EQ(doc.root->attributes->name, "NAME");
    EXPECT_EQ(doc.root->attributes->value, "x");
}

TEST(XmlReader, AttributesKeepDocumentOrder) {
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "<a z=\"1\" b=\"2\"\tm=\"3\"/>"), "");
    const xml::XmlAttribute* a = doc.root->attributes;
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->name + a->value, "z1");
    ASSERT_NE(a->next, nullptr);
    EXPECT_EQ(a->next->name + a->next->value, "b2");
    ASSERT_NE(a->next->next, nullptr);
    EXPECT_EQ(a->next->next->name + a->next->next->value, "m3");
    EXPECT_EQ(a->next->next->next, nullptr);
}

TEST(XmlReader, EmptyElementTagSetsEmptyFlag) {
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "<a/><b></b>"), "");
    EXPECT_TRUE(doc.root->empty);
    ASSERT_NE(doc.root->nextSibling, nullptr);
    EXPECT_FALSE(doc.root->nextSibling->empty);
}

// --- text and entities ---

TEST(XmlReader, TextKeepsItsSpacesAndLineBreaks) {
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "<a> hi\r\n\tthere </a>"), "");
    EXPECT_EQ(doc.root->text, " hi\r\n\tthere ");
}

TEST(XmlReader, KnownEntitiesAreDecodedInTextAndValues) {
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "<a v=\"&quot;&amp;&gt;&lt;\">&lt;b&gt; &amp; &quot;</a>"), "");
    EXPECT_EQ(doc.root->attributes->value, "\"&><");
    EXPECT_EQ(doc.root->text, "<b> & \"");
}

TEST(XmlReader, DecodedAmpersandIsNotDecodedAgain) {
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "<a>&amp;lt; &lt;</a>"), "");
    EXPECT_EQ(doc.root->text, "&lt; <");
}

// --- element structure ---

TEST(XmlReader, TextBeforeChildElementsIsDropped) {
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "<a>x<b/></a>"), "");
    EXPECT_EQ(doc.root->text, "");
    ASSERT_NE(doc.root->firstChild, nullptr);
    EXPECT_EQ(doc.root->firstChild->name, "b");
    EXPECT_EQ(doc.root->firstChild->nextSibling, nullptr);
}

TEST(XmlReader, ChildrenFormAChainAndWhiteSpaceBetweenThemIsSkipped) {
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "\n<a>\n\t<b/>\n\t<c>t</c>\n\t<d><e/></d>\n</a>\n"), "");
    const XmlElement* b = doc.root->firstChild;
    ASSERT_NE(b, nullptr);
    ASSERT_NE(b->nextSibling, nullptr);
    const XmlElement* c = b->nextSibling;
    ASSERT_NE(c->nextSibling, nullptr);
    const XmlElement* d = c->nextSibling;
    EXPECT_EQ(b->name + c->name + d->name, "bcd");
    EXPECT_EQ(c->text, "t");
    EXPECT_EQ(d->nextSibling, nullptr);
    ASSERT_NE(d->firstChild, nullptr);
    EXPECT_EQ(d->firstChild->name, "e");
}

TEST(XmlReader, FurtherTopLevelElementsAreSiblingsOfRoot) {
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "<a/>\n<b>x</b>"), "");
    ASSERT_NE(doc.root->nextSibling, nullptr);
    EXPECT_EQ(doc.root->nextSibling->name, "b");
    EXPECT_EQ(doc.root->nextSibling->text, "x");
}

TEST(XmlReader, AnythingAfterTopLevelListIsIgnored) {
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "<a/></stray> trailing <b/>"), "");
    EXPECT_EQ(doc.root->name, "a");
    EXPECT_EQ(doc.root->nextSibling, nullptr);
    XmlDocument text;
    ASSERT_EQ(ReadInto(text, kDecl + "<a/> trailing text"), "");
    EXPECT_EQ(text.root->nextSibling, nullptr);
}

TEST(XmlReader, CommentsBetweenElementsAreSkipped) {
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "<!-- first --><a><!-- note --><b/><!-- - -- > --><c/></a>"), "");
    EXPECT_EQ(doc.root->name, "a");
    ASSERT_NE(doc.root->firstChild, nullptr);
    EXPECT_EQ(doc.root->firstChild->name, "b");
    ASSERT_NE(doc.root->firstChild->nextSibling, nullptr);
    EXPECT_EQ(doc.root->firstChild->nextSibling->name, "c");
}

// --- NUL ends the data ---

TEST(XmlReader, NulEndsTopLevelList) {
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "<a/>" + std::string(1, '\0') + "<b/>"), "");
    EXPECT_EQ(doc.root->name, "a");
    EXPECT_EQ(doc.root->nextSibling, nullptr);
}

TEST(XmlReader, ExpectedCharacterCheckPassesOverNul) {
    // The greater-than sign is missing, but a NUL stands where it is expected.
    XmlDocument doc;
    ASSERT_EQ(ReadInto(doc, kDecl + "<a/" + std::string(1, '\0') + "<b/>"), "");
    EXPECT_EQ(doc.root->name, "a");
    EXPECT_TRUE(doc.root->empty);
    EXPECT_EQ(doc.root->nextSibling, nullptr);
}

// --- how the stream is read ---

TEST(XmlReader, ReadsFromBufferThatDeliversOneByteAtATime) {
    // A buffer with no get area: every byte comes through underflow/uflow.
    class OneByte : public std::streambuf {
    public:
        explicit OneByte(std::string data) : data_(std::move(data)) {}

    protected:
        int_type underflow() override {
            return pos_ < data_.size() ? traits_type::to_int_type(data_[pos_]) : traits_type::eof();
        }
        int_type uflow() override {
            return pos_ < data_.size() ? traits_type::to_int_type(data_[pos_++]) : traits_type::eof();
        }

    private:
        std::string data_;
        std::size_t pos_ = 0;
    };
    OneByte buffer("  " + kDecl + "<a b=\"\xE4\"><c>t</c></a>");
    std::istream in(&buffer);
    XmlDocument doc;
    in >> doc;
    ASSERT_NE(doc.root, nullptr);
    EXPECT_EQ(doc.root->attributes->value, "\xE4");
    ASSERT_NE(doc.root->firstChild, nullptr);
    EXPECT_EQ(doc.root->firstChild->text, "t");
}

// --- every malformed or cut-off input fails with the message of what the reader expected ---

struct Malformed {
    const char* what;
    std::string input;
    std::string message;
};

const Malformed kMalformed[] = {
    {"declaration must close with question mark", "<?xml version=\"1.0\">", "? expected"},
    {"text before declaration fails on missing less than", "hello <?xml?>", "< expected"},
    {"space before equals sign fails with equals message", kDecl + "<a b =\"1\"/>", "= expected"},
    {"space after equals sign fails with quote message", kDecl + "<a b= \"1\"/>", "\" expected"},
    {"single quoted value fails with quote message", kDecl + "<a b='1'/>", "\" expected"},
    {"hyphen ends a name and fails on missing greater than", kDecl + "<my-node/>", "> expected"},
    {"apostrophe entity is unknown", kDecl + "<a>it&apos;s</a>", "Unknown entity &apos;"},
    {"numeric reference is unknown", kDecl + "<a v=\"&#65;\"/>", "Unknown entity &#65;"},
    {"unknown entity without semicolon reports rest of text",
     kDecl + "<a>x &nbsp y</a>",
     "Unknown entity &nbsp y"},
    {"text after child element fails with end tag message",
     kDecl + "<a><b/>x</a>",
     "</a> expected"},
    {"wrong end tag does not coincide", kDecl + "<a></b>", "<a> doesn't coincide with end tag"},
    {"text after top level comment fails on missing less than",
     kDecl + "<!-- c --> text",
     "< expected"},
    {"nul inside element content fails with end tag message",
     kDecl + "<a>text" + std::string(1, '\0') + "</a>",
     "</a> expected"},
    {"cut off in text fails with innermost end tag", kDecl + "<a><b>some te", "</b> expected"},
    {"cut off after start tag fails with end tag", kDecl + "<a>", "</a> expected"},
    {"cut off after child fails with parent end tag", kDecl + "<a><b/>\n", "</a> expected"},
    {"cut off in start tag name fails on greater than", kDecl + "<abc", "> expected"},
    {"cut off right after less than fails on greater than", kDecl + "<a><", "> expected"},
    {"cut off in end tag fails on greater than", kDecl + "<a></a", "> expected"},
    {"cut off in end tag fails on greater than", kDecl + "<a></", "> expected"},
    {"cut off in attribute value fails on quote", kDecl + "<a b=\"val", "\" expected"},
    {"cut off after attribute name fails on equals sign", kDecl + "<a b", "= expected"},
    {"cut off in declaration fails on question mark", "<?xml version=\"1.0\"", "? expected"},
    {"cut off in comment fails on less than", kDecl + "<a><!-- never closed -", "< expected"},
};

TEST(XmlReader, EachMalformedInputFailsWithItsMessage) {
    for (const Malformed& m : kMalformed) EXPECT_EQ(ReadError(m.input), m.message) << m.what;
}
