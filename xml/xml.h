// The document store: a small XML tree of elements and attributes, its reader and its writer.
//
// The dialect is deliberately small: elements, attributes in double quotes, text, the entities
// &quot; &amp; &gt; &lt;, comments and one leading <?xml ...?> declaration. Bytes are kept exactly
// as stored; nothing is transcoded.
//
// Ownership runs along the chains: an element owns its attribute list, its first child and its
// next sibling; an attribute owns the attributes after it. Unlink an element from a chain by
// clearing its nextSibling first, or the rest of the chain goes with it.
#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>

namespace xml {

class XmlParseError : public std::runtime_error {
public:
    explicit XmlParseError(const std::string& message) : std::runtime_error(message) {}
};

struct XmlAttribute {
    // Creates an attribute; when previous is given, links it as previous->next.
    XmlAttribute(std::string name, std::string value, XmlAttribute* previous = nullptr);
    ~XmlAttribute();
    XmlAttribute(const XmlAttribute&) = delete;
    XmlAttribute& operator=(const XmlAttribute&) = delete;

    XmlAttribute* next = nullptr;  // owning
    std::string name;
    std::string value;
};

// The first attribute from `first` on whose name equals `name`, ASCII letters compared without
// case; nullptr when there is none.
XmlAttribute* FindAttribute(XmlAttribute* first, const char* name);
const XmlAttribute* FindAttribute(const XmlAttribute* first, const char* name);

// The value of FindAttribute(first, name), or "" when there is none.
std::string AttributeValue(const XmlAttribute* first, const char* name);

struct XmlElement {
    // Takes ownership of the attribute list.
    XmlElement(bool empty, std::string name, XmlAttribute* attributes = nullptr);
    ~XmlElement();
    XmlElement(const XmlElement&) = delete;
    XmlElement& operator=(const XmlElement&) = delete;

    // Replaces this element's name, text, attributes and children by deep copies of other's;
    // nextSibling and empty stay as they are, other's siblings are not copied.
    void CopyFrom(const XmlElement& other);

    std::string text;
    bool empty = false;
    XmlAttribute* attributes = nullptr;  // owning
    XmlElement* firstChild = nullptr;    // owning
    XmlElement* nextSibling = nullptr;   // owning
    std::string name;
};

struct XmlDocument {
    explicit XmlDocument(bool foldToLower = true);
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    bool foldToLower;
    XmlElement* root = nullptr;         // owning; further top-level elements are its siblings
    XmlElement* declaration = nullptr;  // owning
};

// Reads one document into an empty document; throws XmlParseError. On an error the document
// keeps what was read before it.
std::istream& operator>>(std::istream& in, XmlDocument& document);

// Writes the declaration (or the fixed ISO-8859-1 one) and the root chain.
std::ostream& operator<<(std::ostream& out, const XmlDocument& document);

// Writes the element and all its following siblings, one tab of indentation per level.
std::ostream& operator<<(std::ostream& out, const XmlElement& element);

// `text` with " & > < replaced by their entities; every other byte unchanged.
std::string EscapeXml(const std::string& text);

// Shows read errors to the user. The sink decides how: standard error by default, a
// "Debug" message box in the Windows program.
class DebugReport {
public:
    using Sink = void (*)(const std::string& text);
    static void SetSink(Sink sink);  // nullptr restores the default

    explicit DebugReport(bool enabled = true);

    void Write(const std::string& text);
    void Write(const std::string& name, const std::string& value);
    // Shows `text`, or the whole buffer when `text` is empty; only when enabled.
    void Show(const std::string& text = std::string()) const;

    const std::string& Buffered() const { return buffer_; }

private:
    bool enabled_;
    std::string buffer_;
};

}  // namespace xml
