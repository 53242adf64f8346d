#include <gtest/gtest.h>

#include <string>

#include "tests/xml/round_trip_check.h"
#include "tests/xml/xml_test_util.h"
#include "xml/xml.h"

using xml::AttributeValue;
using xml::FindAttribute;
using xml::XmlAttribute;
using xml::XmlDocument;
using xml::XmlElement;

namespace {

XmlAttribute* ThreeAttributes() {
    auto* first = new XmlAttribute("name", "N");
    auto* second = new XmlAttribute("url", "U", first);
    new XmlAttribute("name", "later", second);
    return first;
}

}  // namespace

TEST(XmlAttribute, ConstructorLinksAfterPrevious) {
    XmlAttribute first("a", "1");
    EXPECT_EQ(first.next, nullptr);
    auto* second = new XmlAttribute("b", "2", &first);
    EXPECT_EQ(first.next, second);
    EXPECT_EQ(second->next, nullptr);
}

TEST(XmlFindAttribute, FoldsAsciiLettersOnly) {
    XmlAttribute* list = ThreeAttributes();
    XmlAttribute* high = new XmlAttribute("\xE4x", "high", list->next->next);
    EXPECT_EQ(FindAttribute(list, "NAME"), list);
    EXPECT_EQ(FindAttribute(list, "Url"), list->next);
    EXPECT_EQ(FindAttribute(list, "\xE4X"), high);
    EXPECT_EQ(FindAttribute(list, "\xC4x"), nullptr);  // 0xC4 is not folded to 0xE4
    EXPECT_EQ(FindAttribute(list, "nam"), nullptr);
    EXPECT_EQ(FindAttribute(list, "names"), nullptr);
    delete list;
}

TEST(XmlFindAttribute, ReturnsFirstMatch) {
    XmlAttribute* list = ThreeAttributes();
    EXPECT_EQ(FindAttribute(list, "name")->value, "N");
    EXPECT_EQ(FindAttribute(list->next, "name")->value, "later");
    delete list;
}

TEST(XmlFindAttribute, EmptyListOrNoNameFindsNothing) {
    XmlAttribute* list = ThreeAttributes();
    EXPECT_EQ(FindAttribute(static_cast<XmlAttribute*>(nullptr), "name"), nullptr);
    EXPECT_EQ(FindAttribute(list, nullptr), nullptr);
    const XmlAttribute* constList = list;
    EXPECT_EQ(FindAttribute(constList, "URL"), list->next);
    delete list;
}

TEST(XmlAttributeValue, IsEmptyWhenMissing) {
    XmlAttribute* list = ThreeAttributes();
    EXPECT_EQ(AttributeValue(list, "URL"), "U");
    EXPECT_EQ(AttributeValue(list, "icon"), "");
    EXPECT_EQ(AttributeValue(nullptr, "name"), "");
    delete list;
}

TEST(XmlElement, CopyFromCopiesNameTextAttributesAndChildren) {
    XmlDocument source;
    ASSERT_EQ(xml_test::ReadInto(source,
                                 "<?xml?><node name=\"n\" url=\"u\"><param/><param v=\"1\">"
                                 "<pos>7</pos></param></node><sibling/>"),
              "");
    XmlElement target(true, "old", new XmlAttribute("gone", "x"));
    target.text = "old text";
    target.firstChild = new XmlElement(false, "oldchild");
    target.CopyFrom(*source.root);

    EXPECT_EQ(target.name, "node");
    EXPECT_TRUE(target.empty);  // kept
    EXPECT_EQ(target.text, "");
    EXPECT_TRUE(xml_test::SameAttributes(target.attributes, source.root->attributes));
    EXPECT_NE(target.attributes, source.root->attributes);  // a deep copy
    EXPECT_TRUE(xml_test::SameChains(target.firstChild, source.root->firstChild));
    EXPECT_NE(target.firstChild, source.root->firstChild);
    EXPECT_EQ(target.nextSibling, nullptr);  // the source's sibling is not copied
}

TEST(XmlElement, CopyFromCreatesChildrenWithEmptyFalse) {
    XmlDocument source;
    ASSERT_EQ(xml_test::ReadInto(source, "<?xml?><a><b/><c><d/></c></a>"), "");
    ASSERT_TRUE(source.root->firstChild->empty);
    XmlElement target(false, "t");
    target.CopyFrom(*source.root);
    ASSERT_NE(target.firstChild, nullptr);
    EXPECT_FALSE(target.firstChild->empty);
    ASSERT_NE(target.firstChild->nextSibling, nullptr);
    ASSERT_NE(target.firstChild->nextSibling->firstChild, nullptr);
    EXPECT_FALSE(target.firstChild->nextSibling->firstChild->empty);
}

TEST(XmlElement, CopyFromKeepsOwnNextSibling) {
    XmlElement first(false, "a");
    XmlElement* second = new XmlElement(false, "b");
    first.nextSibling = second;
    XmlElement other(false, "c");
    other.text = "t";
    first.CopyFrom(other);
    EXPECT_EQ(first.name, "c");
    EXPECT_EQ(first.text, "t");
    EXPECT_EQ(first.nextSibling, second);
}

TEST(XmlElement, CopyFromOwnChildReadsIntactData) {
    XmlElement parent(false, "parent");
    parent.firstChild = new XmlElement(false, "child", new XmlAttribute("k", "v"));
    parent.firstChild->text = "t";
    parent.firstChild->firstChild = new XmlElement(false, "grandchild");
    parent.CopyFrom(*parent.firstChild);
    EXPECT_EQ(parent.name, "child");
    EXPECT_EQ(parent.text, "t");
    EXPECT_EQ(AttributeValue(parent.attributes, "k"), "v");
    ASSERT_NE(parent.firstChild, nullptr);
    EXPECT_EQ(parent.firstChild->name, "grandchild");
    EXPECT_EQ(parent.firstChild->firstChild, nullptr);
}

TEST(XmlElement, CopyFromItselfChangesNothing) {
    XmlElement e(false, "e", new XmlAttribute("k", "v"));
    e.firstChild = new XmlElement(false, "c");
    e.CopyFrom(e);
    EXPECT_EQ(e.name, "e");
    EXPECT_EQ(AttributeValue(e.attributes, "k"), "v");
    ASSERT_NE(e.firstChild, nullptr);
    EXPECT_EQ(e.firstChild->name, "c");
}

TEST(XmlElement, UnlinkedElementLeavesRestOfChainAlive) {
    XmlElement* a = new XmlElement(false, "a");
    a->nextSibling = new XmlElement(false, "b");
    a->nextSibling->nextSibling = new XmlElement(false, "c");
    XmlElement* b = a->nextSibling;
    a->nextSibling = b->nextSibling;
    b->nextSibling = nullptr;
    delete b;
    ASSERT_NE(a->nextSibling, nullptr);
    EXPECT_EQ(a->nextSibling->name, "c");
    delete a;  // leaks or double frees show under the sanitizers
}
