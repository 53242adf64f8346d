// The reader: one forward pass over the stream's buffer with one character of lookahead
// (`current_`) and a one-byte peek beyond it; the stream is never rewound.
//
// Element lists nest once per level of the document. They are kept on an explicit stack instead of
// the call stack, because the XML inside a hive comes from other users and may nest without limit.
#include "xml/xml.h"

#include <istream>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

namespace xml {

namespace {

using Traits = std::char_traits<char>;
const int kEndOfInput = Traits::eof();

bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsLetterOrDigit(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char FoldTo(bool lower, int c) {
    if (lower && c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    if (!lower && c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    return static_cast<char>(c);
}

std::string EndTagExpected(const XmlElement& e) { return "</" + e.name + "> expected"; }

struct Entity {
    const char* name;
    char character;
};
// The order matters only for which entity is tried first; none is a prefix of another.
const Entity kEntities[] = {{"quot", '"'}, {"amp", '&'}, {"gt", '>'}, {"lt", '<'}};

// Decodes the four entities. Scanning the output as it is produced is the same as continuing at the
// position after each replaced character, so a decoded ampersand is never decoded again.
std::string DecodeEntities(const std::string& raw) {
    std::string decoded;
    decoded.reserve(raw.size());
    std::size_t i = 0;
    while (i < raw.size()) {
        if (raw[i] != '&') {
            decoded += raw[i++];
            continue;
        }
        bool known = false;
        for (const Entity& entity : kEntities) {
            const std::string spelled = std::string("&") + entity.name + ";";
            if (raw.compare(i, spelled.size(), spelled) == 0) {
                decoded += entity.character;
                i += spelled.size();
                known = true;
                break;
            }
        }
        if (!known) {
            const std::size_t semicolon = raw.find(';', i);
            const std::size_t end = semicolon == std::string::npos ? raw.size() : semicolon + 1;
            throw XmlParseError("Unknown entity " + raw.substr(i, end - i));
        }
    }
    return decoded;
}

class Reader {
public:
    Reader(std::istream& in, XmlDocument& document)
        : buffer_(in.rdbuf()), fold_lower_(document.foldToLower), document_(document) {}

    void ReadDocument(bool streamReadable) {
        if (streamReadable && SkipLeadingWhiteSpace()) return;
        Advance();
        document_.declaration = ParseStartTag().release();
        if (!EqualsXmlDeclarationName(document_.declaration->name)) {
            throw XmlParseError("xml tag expected");
        }
        ParseElementList(&document_.root);
    }

private:
    // Step over white space directly in the buffer; true when the stream holds nothing else.
    bool SkipLeadingWhiteSpace() {
        int c = buffer_->sgetc();
        while (c != kEndOfInput && IsSpace(c)) c = buffer_->snextc();
        return c == kEndOfInput;
    }

    void Advance() { current_ = buffer_ != nullptr ? buffer_->sbumpc() : kEndOfInput; }

    int Peek() const { return buffer_ != nullptr ? buffer_->sgetc() : kEndOfInput; }

    bool AtNul() const { return current_ == '\0'; }

    bool AtEndTag() const { return current_ == '<' && Peek() == '/'; }

    void SkipSpaces() {
        while (!AtNul() && IsSpace(current_)) Advance();
    }

    // A NUL byte ends the data, so it passes every check; the end of input matches nothing.
    void Expect(char expected) {
        if (AtNul()) return;
        const int seen = current_;
        Advance();
        if (seen != static_cast<unsigned char>(expected)) {
            throw XmlParseError(std::string(1, expected) + " expected");
        }
    }

    static bool EqualsXmlDeclarationName(const std::string& name) {
        static const char kName[] = "?xml";
        if (name.size() != sizeof kName - 1) return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (FoldTo(true, static_cast<unsigned char>(name[i])) != kName[i]) return false;
        }
        return true;
    }

    std::string ParseName() {
        std::string name;
        while (IsLetterOrDigit(current_)) {
            name += FoldTo(fold_lower_, current_);
            Advance();
        }
        return name;
    }

    std::string ParseText(char terminator) {
        std::string raw;
        while (!AtNul() && current_ != static_cast<unsigned char>(terminator) &&
               current_ != kEndOfInput) {
            raw += static_cast<char>(current_);
            Advance();
        }
        return DecodeEntities(raw);
    }

    // Skips a comment; entered with `current_` on its first hyphen.
    void SkipComment() {
        Expect('-');
        for (;;) {
            if (AtNul() || current_ == kEndOfInput) return;
            Advance();
            if (current_ == '-') {
                Advance();
                if (current_ == '-') {
                    Advance();
                    if (current_ == '>') {
                        Advance();
                        return;
                    }
                }
            }
        }
    }

    // Appends one attribute after *last when a name is there; returns false when none was read.
    bool ParseAttribute(std::unique_ptr<XmlAttribute>& first, XmlAttribute*& last) {
        SkipSpaces();
        std::string name = ParseName();
        if (name.empty()) return false;
        Expect('=');
        Expect('"');
        std::string value = ParseText('"');
        Expect('"');
        last = new XmlAttribute(std::move(name), std::move(value), last);
        if (!first) first.reset(last);
        return true;
    }

    struct Tag {
        std::string name;
        std::unique_ptr<XmlAttribute> attributes;
        bool emptyElement = false;
    };

    Tag ParseTag(bool endForm) {
        Tag tag;
        int marker;
        for (;;) {
            SkipSpaces();
            Expect('<');
            if (endForm) Expect('/');
            // The end of input is no character, so it cannot be a marker: a tag cut off here fails
            // on the missing greater-than sign.
            marker = (IsLetterOrDigit(current_) || current_ == kEndOfInput) ? kEndOfInput : current_;
            if (marker == kEndOfInput) break;
            Advance();
            if (marker != '!' || current_ != '-') break;
            SkipComment();
        }
        if (marker != kEndOfInput) tag.name += static_cast<char>(marker);
        tag.name += ParseName();
        XmlAttribute* last = nullptr;
        while (IsSpace(current_) && ParseAttribute(tag.attributes, last)) {
        }
        if (!endForm && current_ == '/') {
            tag.emptyElement = true;
            Advance();
        }
        if (marker != kEndOfInput) Expect(static_cast<char>(marker));
        Expect('>');
        return tag;
    }

    std::unique_ptr<XmlElement> ParseStartTag() {
        Tag tag = ParseTag(false);
        auto element = std::make_unique<XmlElement>(tag.emptyElement, std::move(tag.name),
                                                    tag.attributes.get());
        tag.attributes.release();
        return element;
    }

    // One open element list. Elements are linked into the tree as soon as they are read, so the
    // document owns everything read so far when an error is thrown.
    struct List {
        XmlElement** tail;              // where the next element of the list goes
        XmlElement* open = nullptr;     // the element whose content is being read
    };

    // Reads a sibling chain into *head, and the content of each element in it. Where a list
    // would be read for an element's children, a new List is pushed; when that list ends, its
    // parent's content loop resumes.
    void ParseElementList(XmlElement** head) {
        if (AtNul()) return;
        enum class Step { NextElement, Content, AfterElement };
        std::vector<List> lists{List{head}};
        Step step = Step::NextElement;
        while (!lists.empty()) {
            List& list = lists.back();
            switch (step) {
                case Step::NextElement: {
                    SkipSpaces();
                    if (current_ != '<' || Peek() == '/') {
                        lists.pop_back();
                        step = Step::Content;
                        break;
                    }
                    XmlElement* e = ParseStartTag().release();
                    *list.tail = e;
                    list.tail = &e->nextSibling;
                    if (e->empty) {
                        step = Step::AfterElement;
                        break;
                    }
                    if (current_ != '<') e->text = ParseText('<');
                    list.open = e;
                    step = Step::Content;
                    break;
                }
                case Step::Content: {
                    XmlElement& e = *list.open;
                    if (!AtNul()) {
                        SkipSpaces();
                        if (current_ != '<') throw XmlParseError(EndTagExpected(e));
                        if (Peek() != '/') {
                            // Text that precedes child elements is dropped.
                            e.text.clear();
                            lists.push_back(List{&e.firstChild});
                            step = Step::NextElement;
                            break;
                        }
                    }
                    if (!AtEndTag()) throw XmlParseError(EndTagExpected(e));
                    if (ParseTag(true).name != e.name) {
                        throw XmlParseError("<" + e.name + "> doesn't coincide with end tag");
                    }
                    step = Step::AfterElement;
                    break;
                }
                case Step::AfterElement:
                    if (AtNul()) {
                        lists.pop_back();
                        step = Step::Content;
                    } else {
                        step = Step::NextElement;
                    }
                    break;
            }
        }
    }

    std::streambuf* buffer_;
    bool fold_lower_;
    XmlDocument& document_;
    int current_ = kEndOfInput;
};

}  // namespace

std::istream& operator>>(std::istream& in, XmlDocument& document) {
    // A stream that could not be opened is not an empty document: it goes on to fail on the
    // missing declaration.
    const bool readable = in.rdbuf() != nullptr && in.good();
    Reader(in, document).ReadDocument(readable);
    return in;
}

}  // namespace xml
