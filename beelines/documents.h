// Where the beeline and bookmark documents live, and how they are loaded and saved.
#pragma once

#include <memory>
#include <string>

#include "xml/xml.h"

namespace beelines {

// The platform's directory separator: every directory below ends in it.
char PathSeparator();

// The drive and directory of an executable path, up to and including its last separator ("" when
// the path has none).
std::string ProgramDirectoryOf(const std::string& executablePath);

struct DocumentPaths {
    std::string xmlDirectory;   // program directory + "xml" + separator
    std::string iconDirectory;  // program directory + "ico" + separator
    std::string beelineFile;    // xml directory + "beelines.xml"
    std::string bookmarkFile;   // xml directory + "bookmarks.xml"
};

// The locations below `programDirectory`, which ends in a separator.
DocumentPaths PathsFor(const std::string& programDirectory);

// The name a file is copied to before it is saved over.
std::string BackupPath(const std::string& file);

struct LoadedDocument {
    std::unique_ptr<xml::XmlDocument> document;  // never null; empty or partial after an error
    std::string error;                           // "" when the whole file was read

    bool ok() const { return error.empty(); }
};

// Reads `path` into a new document with names folded to lower case. An error ("Cannot open " +
// path, or the reader's message) is shown through DebugReport and kept in the result; the
// document then holds what was read before it.
LoadedDocument LoadDocument(const std::string& path);

// Copies the current file to its backup name (a failure is ignored), then writes the document
// completely beside the file and only then puts it in the file's place, so a write that fails
// part-way leaves the previous content intact. Returns false, silently, when nothing was saved.
bool SaveDocument(const xml::XmlDocument& document, const std::string& path);

}  // namespace beelines
