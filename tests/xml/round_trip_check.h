// The round-trip property of the reader and writer, shared by the fuzzer and the regression test.
//
// What the format guarantees: a document that reads without error, once written and read again,
// has the same declaration, element names, attribute order, names and values, and the same texts
// of childless elements. It holds only where every element name is letters and digits: a name
// that starts with another character (a marker such as "?" or a NUL byte) is written without its
// closing marker, and an element the writer skips because its name is empty never comes back.
#pragma once

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "xml/xml.h"

namespace xml_test {

inline bool IsPlainName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) return false;
    }
    return true;
}

// Visits every element of the chain and its descendants without recursion.
template <typename Visit>
void ForEachElement(const xml::XmlElement* chain, Visit visit) {
    std::vector<const xml::XmlElement*> pending;
    if (chain != nullptr) pending.push_back(chain);
    while (!pending.empty()) {
        const xml::XmlElement* e = pending.back();
        pending.pop_back();
        visit(*e);
        if (e->nextSibling != nullptr) pending.push_back(e->nextSibling);
        if (e->firstChild != nullptr) pending.push_back(e->firstChild);
    }
}

inline bool AllNamesPlain(const xml::XmlElement* chain) {
    bool plain = true;
    ForEachElement(chain, [&](const xml::XmlElement& e) { plain = plain && IsPlainName(e.name); });
    return plain;
}

inline bool SameAttributes(const xml::XmlAttribute* a, const xml::XmlAttribute* b) {
    for (; a != nullptr && b != nullptr; a = a->next, b = b->next) {
        if (a->name != b->name || a->value != b->value) return false;
    }
    return a == nullptr && b == nullptr;
}

// Compares two chains element by element: names, attributes, texts of childless elements, shape.
inline bool SameChains(const xml::XmlElement* a, const xml::XmlElement* b) {
    std::vector<std::pair<const xml::XmlElement*, const xml::XmlElement*>> pending{{a, b}};
    while (!pending.empty()) {
        auto [x, y] = pending.back();
        pending.pop_back();
        for (; x != nullptr && y != nullptr; x = x->nextSibling, y = y->nextSibling) {
            if (x->name != y->name || !SameAttributes(x->attributes, y->attributes)) return false;
            if (x->firstChild == nullptr && y->firstChild == nullptr && x->text != y->text) return false;
            pending.emplace_back(x->firstChild, y->firstChild);
        }
        if (x != nullptr || y != nullptr) return false;
    }
    return true;
}

inline std::string Write(const xml::XmlDocument& document) {
    std::ostringstream out;
    out << document;
    return out.str();
}

// Reads `bytes`; when that succeeds, writes the document, reads the output again and checks the
// property above. Returns an empty string when all holds, otherwise what failed.
inline std::string CheckRoundTrip(const std::string& bytes) {
    xml::XmlDocument first;
    try {
        std::istringstream in(bytes);
        in >> first;
    } catch (const xml::XmlParseError&) {
        return std::string();
    }
    const std::string written = Write(first);
    if (!AllNamesPlain(first.root)) return std::string();

    xml::XmlDocument second;
    try {
        std::istringstream in(written);
        in >> second;
    } catch (const xml::XmlParseError& e) {
        return std::string("reading the written document failed: ") + e.what();
    }
    if (first.declaration != nullptr &&
        (second.declaration == nullptr || !SameChains(first.declaration, second.declaration))) {
        return "the declaration changed";
    }
    if (!SameChains(first.root, second.root)) return "the element tree changed";
    if (Write(second) != written) return "writing the read-back document gave other bytes";
    return std::string();
}

}  // namespace xml_test
