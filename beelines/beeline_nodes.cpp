#include "beelines/beeline_nodes.h"

namespace beelines {

const char* const NodeTypeTable[kNodeTypeCount] = {
    "regular",          "default search",  "search",       "news search",
    "image search",     "audio search",    "video search", "directory search",
    "shopping search",  "groups search",   "reference",    "encyclopedia",
    "dictionary",       "thesaurus",       "usage",        "quotations",
};

int NodeTypeIndex(const std::string& value) {
    for (int i = 0; i < kNodeTypeCount; ++i) {
        if (value == NodeTypeTable[i]) return i;
    }
    return -1;
}

bool IsBeeline(const xml::XmlElement& node) {
    return xml::FindAttribute(node.attributes, "get") != nullptr ||
           xml::FindAttribute(node.attributes, "post") != nullptr;
}

BeelineTarget TargetOf(const xml::XmlElement& beeline) {
    BeelineTarget target;
    if (const xml::XmlAttribute* get = xml::FindAttribute(beeline.attributes, "get")) {
        target.url = get->value;
    } else if (const xml::XmlAttribute* post = xml::FindAttribute(beeline.attributes, "post")) {
        target.url = post->value;
        target.post = true;
    }
    return target;
}

bool HasSubNodes(const xml::XmlElement& node) {
    return node.firstChild != nullptr && node.firstChild->name == "node";
}

NodeCheck CheckNode(const xml::XmlElement& node) {
    NodeCheck check;
    const xml::XmlAttribute* name = xml::FindAttribute(node.attributes, "name");
    if (name == nullptr) return check;
    check.listed = true;
    check.label = name->value;
    if (const xml::XmlAttribute* type = xml::FindAttribute(node.attributes, "type")) {
        if (NodeTypeIndex(type->value) < 0) {
            check.warning = "Node " + name->value + " has invalid type " + type->value;
        }
        if (type->value == "search") check.stateImage = 2;
    }
    check.icon = xml::AttributeValue(node.attributes, "icon");
    check.defaultImage = IsBeeline(node) ? 1 : 0;
    return check;
}

}  // namespace beelines
