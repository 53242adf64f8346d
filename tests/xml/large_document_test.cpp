// Documents from other users may be arbitrarily deep or wide; none of the operations may use the
// call stack per level or per sibling. The sizes below overflow any stack a recursive walk would
// use, under the sanitizers and in the Windows build alike.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "tests/xml/round_trip_check.h"
#include "tests/xml/xml_test_util.h"
#include "xml/xml.h"

using xml::XmlDocument;
using xml::XmlElement;

namespace {

const int kDepth = 200000;
const int kWidth = 200000;

std::string Repeat(const std::string& s, int n) {
    std::string out;
    out.reserve(s.size() * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// kDepth elements "a", each the only child of the one before.
std::string DeepSource() {
    return "<?xml?>" + Repeat("<a>", kDepth - 1) + "<a/>" + Repeat("</a>", kDepth - 1);
}

int Depth(const XmlElement* e) {
    int depth = 0;
    for (; e != nullptr; e = e->firstChild) {
        ++depth;
        if (e->nextSibling != nullptr || e->name != "a") return -1;
    }
    return depth;
}

// Counts what is written and keeps the last bytes: the deep document's output is tens of
// gigabytes of indentation, too much to keep.
class CountingBuffer : public std::streambuf {
public:
    std::uint64_t count = 0;
    std::string tail;

protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            const char ch = traits_type::to_char_type(c);
            xsputn(&ch, 1);
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        count += static_cast<std::uint64_t>(n);
        const std::size_t size = static_cast<std::size_t>(n);
        if (size >= 64) {
            tail.assign(s + size - 64, 64);
        } else {
            tail.append(s, size);
            if (tail.size() > 128) tail.erase(0, tail.size() - 64);
        }
        return n;
    }
};

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

TEST(XmlLargeDocument, DeepDocumentIsReadWrittenCopiedAndDestroyed) {
    XmlDocument doc;
    ASSERT_EQ(xml_test::ReadInto(doc, DeepSource()), "");
    ASSERT_EQ(Depth(doc.root), kDepth);

    CountingBuffer buffer;
    std::ostream out(&buffer);
    out << *doc.root;
    // Lines at depth k < D-1: k tabs + "<a>\n" and k tabs + "</a>\n"; the innermost: D-1 tabs + "<a/>\n".
    const std::uint64_t d = kDepth;
    EXPECT_EQ(buffer.count, (d - 2) * (d - 1) + 9 * (d - 1) + (d - 1) + 5);
    EXPECT_TRUE(EndsWith(buffer.tail, "\t\t</a>\n\t</a>\n</a>\n"));

    XmlElement copy(false, "copy");
    copy.CopyFrom(*doc.root);
    EXPECT_EQ(Depth(&copy), kDepth);
    EXPECT_TRUE(xml_test::SameChains(&copy, doc.root));
}

TEST(XmlLargeDocument, CutOffDeepDocumentFailsAndIsDestroyed) {
    XmlDocument doc;
    EXPECT_EQ(xml_test::ReadInto(doc, "<?xml?>" + Repeat("<a>", kDepth) + "text"), "</a> expected");
    // Everything read before the error belongs to the document.
    EXPECT_EQ(Depth(doc.root), kDepth);
    const XmlElement* innermost = doc.root;
    while (innermost != nullptr && innermost->firstChild != nullptr) innermost = innermost->firstChild;
    ASSERT_NE(innermost, nullptr);
    EXPECT_EQ(innermost->text, "text");
}

TEST(XmlLargeDocument, WideDocumentIsReadWrittenCopiedAndDestroyed) {
    XmlDocument doc;
    ASSERT_EQ(xml_test::ReadInto(doc, "<?xml?><r>" + Repeat("<a/>", kWidth) + "</r>" + Repeat("<b/>", kWidth)),
              "");
    int children = 0;
    for (const XmlElement* e = doc.root->firstChild; e != nullptr; e = e->nextSibling) ++children;
    EXPECT_EQ(children, kWidth);
    int topLevel = 0;
    for (const XmlElement* e = doc.root; e != nullptr; e = e->nextSibling) ++topLevel;
    EXPECT_EQ(topLevel, kWidth + 1);

    EXPECT_EQ(xml_test::Write(doc),
              "<?xml?>\n<r>\n" + Repeat("\t<a/>\n", kWidth) + "</r>\n" + Repeat("<b/>\n", kWidth));

    XmlElement copy(false, "copy");
    copy.CopyFrom(*doc.root);
    EXPECT_EQ(copy.nextSibling, nullptr);
    EXPECT_TRUE(xml_test::SameChains(copy.firstChild, doc.root->firstChild));
}

TEST(XmlLargeDocument, DeepChainBuiltInMemoryIsDestroyed) {
    auto* top = new XmlElement(false, "a");
    XmlElement* e = top;
    for (int i = 1; i < kDepth; ++i) {
        e->firstChild = new XmlElement(false, "a");
        e->nextSibling = new XmlElement(false, "s");
        e = e->firstChild;
    }
    delete top;
}

TEST(XmlLargeDocument, LongAttributeListIsDestroyed) {
    auto* first = new xml::XmlAttribute("a", "1");
    xml::XmlAttribute* last = first;
    for (int i = 1; i < kWidth; ++i) last = new xml::XmlAttribute("a", "1", last);
    XmlElement e(false, "e", first);
    EXPECT_EQ(xml::AttributeValue(e.attributes, "a"), "1");
}
