// The bookmark document: a flat list of "node" elements (title and URL), each remembering the
// page's vertical scroll position in one "pos" child.
#pragma once

#include <string>
#include <vector>

#include "xml/xml.h"

namespace beelines {

// The root's children in order, up to the first one that is not a "node".
std::vector<xml::XmlElement*> BookmarkNodes(const xml::XmlDocument& document);

// The "y" of the bookmark's first "pos" child, or 0 when it has none or it is not a number.
long BookmarkPosition(const xml::XmlElement& bookmark);

// Adds a bookmark as the root's first child. When a bookmark with the same URL (ASCII letters
// compared without case) exists, no bookmark is added: that one's positions are replaced by the
// new one. Returns the bookmark node, or nullptr when the document has no root to add to.
xml::XmlElement* AddBookmark(xml::XmlDocument& document, const std::string& name,
                             const std::string& url, long position);

// True when the two texts are equal with A-Z and a-z taken as the same letters.
bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b);

}  // namespace beelines
