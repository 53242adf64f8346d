// What a "node" element of the beeline document is: a honeycomb (folder) or a beeline (a saved
// request), its category, and how it appears in the beeline tree.
#pragma once

#include <string>

#include "xml/xml.h"

namespace beelines {

// The categories a beeline's "type" may hold. A value's position is its bit in the search type
// selection; 0 is the ordinary beeline, the others are kinds of search.
constexpr int kNodeTypeCount = 16;
extern const char* const NodeTypeTable[kNodeTypeCount];

// The position of `value` in NodeTypeTable (compared exactly), or -1.
int NodeTypeIndex(const std::string& value);

// A beeline has a "get" or a "post" attribute; every other node is a honeycomb.
bool IsBeeline(const xml::XmlElement& node);

// The beeline's URL and method: "get" wins when both are present.
struct BeelineTarget {
    std::string url;
    bool post = false;
};
BeelineTarget TargetOf(const xml::XmlElement& beeline);

// The tree descends into a node only when its first child is a "node"; otherwise the children
// are the beeline's parameters.
bool HasSubNodes(const xml::XmlElement& node);

// How a node is put into the beeline tree.
struct NodeCheck {
    bool listed = false;   // false: no "name", no tree item
    std::string label;     // the "name"
    std::string warning;   // "Node <name> has invalid type <type>", or "" when the type is fine
    std::string icon;      // the "icon" file name relative to the icon directory, or ""
    int defaultImage = 0;  // used when there is no icon or it does not load: 1 beeline, 0 honeycomb
    int stateImage = 1;    // 2 for type "search", 1 otherwise
};
NodeCheck CheckNode(const xml::XmlElement& node);

}  // namespace beelines
