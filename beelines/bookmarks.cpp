#include "beelines/bookmarks.h"

#include <cstdlib>

namespace beelines {

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

xml::XmlElement* NewPosition(long position) {
    return new xml::XmlElement(true, "pos", new xml::XmlAttribute("y", std::to_string(position)));
}

}  // namespace

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

std::vector<xml::XmlElement*> BookmarkNodes(const xml::XmlDocument& document) {
    std::vector<xml::XmlElement*> nodes;
    if (document.root == nullptr) return nodes;
    for (xml::XmlElement* e = document.root->firstChild; e != nullptr && e->name == "node";
         e = e->nextSibling) {
        nodes.push_back(e);
    }
    return nodes;
}

long BookmarkPosition(const xml::XmlElement& bookmark) {
    const xml::XmlElement* pos = bookmark.firstChild;
    if (pos == nullptr || pos->name != "pos") return 0;
    return std::strtol(xml::AttributeValue(pos->attributes, "y").c_str(), nullptr, 10);
}

xml::XmlElement* AddBookmark(xml::XmlDocument& document, const std::string& name,
                             const std::string& url, long position) {
    if (document.root == nullptr) return nullptr;
    for (xml::XmlElement* bookmark : BookmarkNodes(document)) {
        if (EqualsIgnoringAsciiCase(xml::AttributeValue(bookmark->attributes, "url"), url)) {
            delete bookmark->firstChild;  // the whole chain of old positions
            bookmark->firstChild = NewPosition(position);
            return bookmark;
        }
    }
    auto* attributes = new xml::XmlAttribute("name", name);
    new xml::XmlAttribute("url", url, attributes);
    auto* bookmark = new xml::XmlElement(false, "node", attributes);
    bookmark->firstChild = NewPosition(position);
    bookmark->nextSibling = document.root->firstChild;
    document.root->firstChild = bookmark;
    return bookmark;
}

}  // namespace beelines
