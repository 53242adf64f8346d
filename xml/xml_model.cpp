// The tree itself: construction, lookup, copying and destruction.
//
// Documents come from other users' hive files, so nothing here walks the tree by recursion: a
// hostile file nested a million levels deep, or a million siblings long, must not exhaust the stack.
#include "xml/xml.h"

#include <utility>
#include <vector>

namespace xml {

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualFoldingAscii(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size(); ++i) {
        if (b[i] == '\0' || FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return b[i] == '\0';
}

XmlAttribute* CopyAttributes(const XmlAttribute* first) {
    XmlAttribute* head = nullptr;
    XmlAttribute* last = nullptr;
    try {
        for (const XmlAttribute* a = first; a != nullptr; a = a->next) {
            last = new XmlAttribute(a->name, a->value, last);
            if (head == nullptr) head = last;
        }
    } catch (...) {
        delete head;
        throw;
    }
    return head;
}

// Destroys `node`, its children and its following siblings. Seen as a binary tree (firstChild
// left, nextSibling right), each left link is rotated into the right spine until the current node
// has no child, so every element is deleted with both links cleared and no recursion takes place.
void DestroyTree(XmlElement* node) {
    while (node != nullptr) {
        if (XmlElement* child = node->firstChild) {
            node->firstChild = child->nextSibling;
            child->nextSibling = node;
            node = child;
        } else {
            XmlElement* next = node->nextSibling;
            node->nextSibling = nullptr;
            delete node;
            node = next;
        }
    }
}

}  // namespace

XmlAttribute::XmlAttribute(std::string name, std::string value, XmlAttribute* previous)
    : name(std::move(name)), value(std::move(value)) {
    if (previous != nullptr) previous->next = this;
}

XmlAttribute::~XmlAttribute() {
    XmlAttribute* a = next;
    while (a != nullptr) {
        XmlAttribute* following = a->next;
        a->next = nullptr;
        delete a;
        a = following;
    }
}

XmlAttribute* FindAttribute(XmlAttribute* first, const char* name) {
    if (name == nullptr) return nullptr;
    for (XmlAttribute* a = first; a != nullptr; a = a->next) {
        if (EqualFoldingAscii(a->name, name)) return a;
    }
    return nullptr;
}

const XmlAttribute* FindAttribute(const XmlAttribute* first, const char* name) {
    return FindAttribute(const_cast<XmlAttribute*>(first), name);
}

std::string AttributeValue(const XmlAttribute* first, const char* name) {
    const XmlAttribute* a = FindAttribute(first, name);
    return a != nullptr ? a->value : std::string();
}

XmlElement::XmlElement(bool empty, std::string name, XmlAttribute* attributes)
    : empty(empty), attributes(attributes), name(std::move(name)) {}

XmlElement::~XmlElement() {
    delete attributes;
    DestroyTree(firstChild);
    DestroyTree(nextSibling);
}

void XmlElement::CopyFrom(const XmlElement& other) {
    // The copy is built completely before anything of this element is destroyed, so copying from
    // this element itself or from one of its own descendants reads intact data.
    XmlElement copy(false, other.name, CopyAttributes(other.attributes));
    copy.text = other.text;

    struct Pending {
        const XmlElement* source;  // whose children are still to be copied
        XmlElement* target;        // where the copies go
    };
    std::vector<Pending> pending{{&other, &copy}};
    while (!pending.empty()) {
        const Pending p = pending.back();
        pending.pop_back();
        XmlElement** tail = &p.target->firstChild;
        for (const XmlElement* c = p.source->firstChild; c != nullptr; c = c->nextSibling) {
            *tail = new XmlElement(false, c->name, CopyAttributes(c->attributes));
            (*tail)->text = c->text;
            if (c->firstChild != nullptr) pending.push_back({c, *tail});
            tail = &(*tail)->nextSibling;
        }
    }

    // The old attributes and children move into `copy` and go with it.
    name.swap(copy.name);
    text.swap(copy.text);
    std::swap(attributes, copy.attributes);
    std::swap(firstChild, copy.firstChild);
}

XmlDocument::XmlDocument(bool foldToLower) : foldToLower(foldToLower) {}

XmlDocument::~XmlDocument() {
    delete declaration;
    delete root;
}

std::string EscapeXml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '"': escaped += "&quot;"; break;
            case '&': escaped += "&amp;"; break;
            case '>': escaped += "&gt;"; break;
            case '<': escaped += "&lt;"; break;
            default: escaped += c; break;
        }
    }
    return escaped;
}

}  // namespace xml
