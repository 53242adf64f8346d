// The writer: one element per line, one tab of indentation per level, each line flushed.
//
// The elements whose end tags are still due are kept on an explicit stack rather than the call
// stack, so a document of any depth can be written; its size is the current depth.
#include "xml/xml.h"

#include <ostream>
#include <vector>

namespace xml {

namespace {

bool IsLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

void WriteIndent(std::ostream& out, std::size_t depth) {
    static const std::string kTabs(4096, '\t');
    while (depth > 0) {
        const std::size_t n = depth < kTabs.size() ? depth : kTabs.size();
        out.write(kTabs.data(), static_cast<std::streamsize>(n));
        depth -= n;
    }
}

void EndLine(std::ostream& out) {
    out.put('\n');
    out.flush();
}

void WriteChain(std::ostream& out, const XmlElement* element) {
    std::vector<const XmlElement*> open;
    for (;;) {
        // An element without a name ends its chain: neither it nor its following siblings are
        // written.
        if (element == nullptr || element->name.empty()) {
            if (open.empty()) return;
            const XmlElement* parent = open.back();
            open.pop_back();
            WriteIndent(out, open.size());
            out << "</" << parent->name << '>';
            EndLine(out);
            element = parent->nextSibling;
            continue;
        }
        WriteIndent(out, open.size());
        out << '<' << element->name;
        for (const XmlAttribute* a = element->attributes; a != nullptr; a = a->next) {
            out << ' ' << a->name << "=\"" << EscapeXml(a->value) << '"';
        }
        if (!element->text.empty() || element->firstChild != nullptr) {
            out << '>' << EscapeXml(element->text);
            if (element->firstChild != nullptr) {
                EndLine(out);
                open.push_back(element);
                element = element->firstChild;
                continue;
            }
            out << "</" << element->name << '>';
        } else {
            // A marked name such as "?xml" closes with its marker instead of the slash.
            const char first = element->name[0];
            out << (IsLetterOrDigit(first) ? '/' : first) << '>';
        }
        EndLine(out);
        element = element->nextSibling;
    }
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const XmlElement& element) {
    WriteChain(out, &element);
    return out;
}

std::ostream& operator<<(std::ostream& out, const XmlDocument& document) {
    if (document.declaration != nullptr) {
        WriteChain(out, document.declaration);
    } else {
        out << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
        EndLine(out);
    }
    WriteChain(out, document.root);
    return out;
}

}  // namespace xml
