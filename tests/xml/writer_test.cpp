#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <string>

#include "tests/xml/round_trip_check.h"
#include "tests/xml/xml_test_util.h"
#include "xml/xml.h"

using xml::XmlAttribute;
using xml::XmlDocument;
using xml::XmlElement;

namespace {

const std::string kFixedDecl = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";

std::string Written(const XmlElement& e) {
    std::ostringstream out;
    out << e;
    return out.str();
}

std::string RoundTripped(const std::string& bytes) {
    XmlDocument doc;
    const std::string error = xml_test::ReadInto(doc, bytes);
    EXPECT_EQ(error, "");
    return xml_test::Write(doc);
}

}  // namespace

TEST(XmlWriter, EmptyDocumentIsTheFixedDeclarationLine) {
    XmlDocument doc;
    EXPECT_EQ(xml_test::Write(doc), kFixedDecl);
    EXPECT_EQ(RoundTripped("  \n"), kFixedDecl);
}

TEST(XmlWriter, TreeWithOneChildIsThreeLines) {
    XmlDocument doc;
    doc.root = new XmlElement(false, "tree");
    doc.root->firstChild = new XmlElement(false, "node", new XmlAttribute("name", "A&B"));
    EXPECT_EQ(xml_test::Write(doc), kFixedDecl + "<tree>\n\t<node name=\"A&amp;B\"/>\n</tree>\n");
}

TEST(XmlWriter, ReadDeclarationIsKeptWithItsAttributesEscaped) {
    EXPECT_EQ(RoundTripped("<?xml version=\"1.0\" encoding=\"a&amp;&quot;b\"?>\n<a/>"),
              "<?xml version=\"1.0\" encoding=\"a&amp;&quot;b\"?>\n<a/>\n");
}

TEST(XmlWriter, ElementWithOnlyTextIsOneLine) {
    XmlElement e(false, "a");
    e.text = "x < y & \"z\"";
    EXPECT_EQ(Written(e), "<a>x &lt; y &amp; &quot;z&quot;</a>\n");
}

TEST(XmlWriter, TextOfElementWithChildrenFollowsStartTag) {
    XmlElement e(false, "a");
    e.text = "t";
    e.firstChild = new XmlElement(false, "b");
    EXPECT_EQ(Written(e), "<a>t\n\t<b/>\n</a>\n");
}

TEST(XmlWriter, EachLevelIndentsByOneTab) {
    EXPECT_EQ(RoundTripped("<?xml?><a><b><c x=\"1\">t</c><d/></b></a><e/>"),
              "<?xml?>\n<a>\n\t<b>\n\t\t<c x=\"1\">t</c>\n\t\t<d/>\n\t</b>\n</a>\n<e/>\n");
}

TEST(XmlWriter, EmptyFlagIsNotConsulted) {
    XmlElement flagged(true, "a");
    flagged.text = "t";
    EXPECT_EQ(Written(flagged), "<a>t</a>\n");
    XmlElement unflagged(false, "a");
    EXPECT_EQ(Written(unflagged), "<a/>\n");
}

TEST(XmlWriter, ElementIsWrittenWithItsFollowingSiblings) {
    XmlElement a(false, "a");
    a.nextSibling = new XmlElement(false, "b");
    a.nextSibling->nextSibling = new XmlElement(false, "c");
    EXPECT_EQ(Written(a), "<a/>\n<b/>\n<c/>\n");
    EXPECT_EQ(Written(*a.nextSibling), "<b/>\n<c/>\n");
}

TEST(XmlWriter, ElementWithoutNameEndsItsChain) {
    XmlElement a(false, "a");
    a.firstChild = new XmlElement(false, "b");
    a.firstChild->nextSibling = new XmlElement(false, "");
    a.firstChild->nextSibling->nextSibling = new XmlElement(false, "d");
    a.nextSibling = new XmlElement(false, "e");
    EXPECT_EQ(Written(a), "<a>\n\t<b/>\n</a>\n<e/>\n");
    EXPECT_EQ(Written(*a.firstChild->nextSibling), "");
}

TEST(XmlWriter, MarkedNameClosesWithItsMarker) {
    XmlElement decl(false, "?xml", new XmlAttribute("version", "1.0"));
    EXPECT_EQ(Written(decl), "<?xml version=\"1.0\"?>\n");
    XmlElement bang(false, "!x");
    EXPECT_EQ(Written(bang), "<!x!>\n");
}

TEST(XmlWriter, ApostropheTabAndHighBytesAreNotEscaped) {
    XmlElement e(false, "a", new XmlAttribute("v", "it's\t\xE4\x01"));
    EXPECT_EQ(Written(e), "<a v=\"it's\t\xE4\x01\"/>\n");
}

TEST(XmlWriter, EveryLineIsFlushed) {
    class CountingBuffer : public std::stringbuf {
    public:
        int syncs = 0;

    protected:
        int sync() override {
            ++syncs;
            return std::stringbuf::sync();
        }
    };
    CountingBuffer buffer;
    std::ostream out(&buffer);
    XmlDocument doc;
    ASSERT_EQ(xml_test::ReadInto(doc, "<?xml?><a><b/><c>t</c></a>"), "");
    out << doc;
    EXPECT_EQ(buffer.str(), "<?xml?>\n<a>\n\t<b/>\n\t<c>t</c>\n</a>\n");
    EXPECT_EQ(buffer.syncs, 5);
}

TEST(XmlWriter, FailingStreamKeepsItsStateAndNothingIsThrown) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    XmlDocument doc;
    doc.root = new XmlElement(false, "a");
    EXPECT_NO_THROW(out << doc);
    EXPECT_TRUE(out.bad());
    EXPECT_EQ(out.str(), "");
}

TEST(XmlRoundTrip, KeepsNamesAttributeOrderValuesAndTexts) {
    const std::string source =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
        "<!-- beelines -->\r\n"
        "<tree v=\"2\">\r\n"
        "  <node name=\"Search &amp; find\" url=\"http://x/?a=1&amp;b=&quot;2&quot;\" z=\"\">\r\n"
        "    <param name=\"q\" value=\"it's &lt;here&gt;\t\xE4\"/>\r\n"
        "    <pos>  12 &amp; 13\r\n  </pos>\r\n"
        "  </node>\r\n"
        "  <node name=\"empty\"></node>\r\n"
        "</tree>\r\n";
    EXPECT_EQ(xml_test::CheckRoundTrip(source), "");
    XmlDocument first;
    ASSERT_EQ(xml_test::ReadInto(first, source), "");
    XmlDocument second;
    ASSERT_EQ(xml_test::ReadInto(second, xml_test::Write(first)), "");
    EXPECT_TRUE(xml_test::SameChains(first.root, second.root));
    EXPECT_EQ(second.root->firstChild->firstChild->nextSibling->text, "  12 & 13\r\n  ");
}

TEST(XmlRoundTrip, TextOfElementWithChildrenIsLost) {
    XmlDocument doc;
    doc.root = new XmlElement(false, "a");
    doc.root->text = "dropped";
    doc.root->firstChild = new XmlElement(false, "b");
    XmlDocument back;
    ASSERT_EQ(xml_test::ReadInto(back, xml_test::Write(doc)), "");
    EXPECT_EQ(back.root->text, "");
    ASSERT_NE(back.root->firstChild, nullptr);
    EXPECT_EQ(back.root->firstChild->name, "b");
}

TEST(XmlEscape, ReplacesTheFourSpecialCharacters) {
    EXPECT_EQ(xml::EscapeXml("\"&><"), "&quot;&amp;&gt;&lt;");
    EXPECT_EQ(xml::EscapeXml("&amp;"), "&amp;amp;");
}

TEST(XmlEscape, CopiesEveryOtherByteUnchanged) {
    std::string all;
    for (int c = 0; c < 256; ++c) {
        if (c != '"' && c != '&' && c != '>' && c != '<') all += static_cast<char>(c);
    }
    EXPECT_EQ(xml::EscapeXml(all), all);
    EXPECT_EQ(xml::EscapeXml(""), "");
}
