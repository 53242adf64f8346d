// Small helpers for the beeline data tests.
#pragma once

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "xml/xml.h"

namespace beelines_test {

const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";

// A document read from the declaration and `body` with names folded to lower case, as the program
// reads its files.
inline std::unique_ptr<xml::XmlDocument> Parse(const std::string& body) {
    auto document = std::make_unique<xml::XmlDocument>(true);
    std::istringstream in(kDeclaration + body);
    in >> *document;
    return document;
}

inline std::string ReadBinary(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void WriteBinary(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The line end the program's text-mode writes produce on this platform.
inline std::string LineEnd() {
#ifdef _WIN32
    return "\r\n";
#else
    return "\n";
#endif
}

}  // namespace beelines_test
