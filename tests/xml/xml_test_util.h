// Small helpers for the XML tests.
#pragma once

#include <sstream>
#include <string>

#include "xml/xml.h"

namespace xml_test {

// Reads `bytes` into `document`; returns the reader's message, or "" when it read without error.
inline std::string ReadInto(xml::XmlDocument& document, const std::string& bytes) {
    std::istringstream in(bytes);
    try {
        in >> document;
    } catch (const xml::XmlParseError& e) {
        return e.what();
    }
    return std::string();
}

// The reader's message for `bytes`, or "" when they read without error.
inline std::string ReadError(const std::string& bytes) {
    xml::XmlDocument document;
    return ReadInto(document, bytes);
}

}  // namespace xml_test
