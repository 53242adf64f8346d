#include "beelines/documents.h"

#include <cstdio>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace beelines {

namespace {

bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

void CopyToBackup(const std::string& path) {
    const std::string backup = BackupPath(path);
#ifdef _WIN32
    CopyFileA(path.c_str(), backup.c_str(), FALSE);
#else
    std::ifstream in(path, std::ios::binary);
    if (!in) return;
    std::ofstream out(backup, std::ios::binary | std::ios::trunc);
    if (out) out << in.rdbuf();
#endif
}

bool ReplaceFile(const std::string& replacement, const std::string& path) {
#ifdef _WIN32
    return MoveFileExA(replacement.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(replacement.c_str(), path.c_str()) == 0;
#endif
}

}  // namespace

char PathSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string ProgramDirectoryOf(const std::string& executablePath) {
    for (std::size_t i = executablePath.size(); i > 0; --i) {
        if (IsSeparator(executablePath[i - 1])) return executablePath.substr(0, i);
    }
    return std::string();
}

DocumentPaths PathsFor(const std::string& programDirectory) {
    DocumentPaths paths;
    paths.xmlDirectory = programDirectory + "xml" + PathSeparator();
    paths.iconDirectory = programDirectory + "ico" + PathSeparator();
    paths.beelineFile = paths.xmlDirectory + "beelines.xml";
    paths.bookmarkFile = paths.xmlDirectory + "bookmarks.xml";
    return paths;
}

std::string BackupPath(const std::string& file) { return file + ".bak"; }

LoadedDocument LoadDocument(const std::string& path) {
    LoadedDocument loaded;
    loaded.document = std::make_unique<xml::XmlDocument>(true);
    std::ifstream in(path);
    if (!in) {
        loaded.error = "Cannot open " + path;
    } else {
        try {
            in >> *loaded.document;
        } catch (const xml::XmlParseError& e) {
            loaded.error = e.what();
        }
    }
    if (!loaded.ok()) {
        xml::DebugReport report;
        report.Write(loaded.error);
        report.Show();
    }
    return loaded;
}

bool SaveDocument(const xml::XmlDocument& document, const std::string& path) {
    CopyToBackup(path);
    // A file the user may not write to stays as it is, even where the directory would let a
    // replacement be renamed over it. Appending opens without changing a byte.
    if (!std::ofstream(path, std::ios::app)) return false;
    const std::string replacement = path + ".new";
    {
        std::ofstream out(replacement, std::ios::trunc);
        if (!out) return false;
        out << document;
        out.close();
        if (!out) {
            std::remove(replacement.c_str());
            return false;
        }
    }
    if (!ReplaceFile(replacement, path)) {
        std::remove(replacement.c_str());
        return false;
    }
    return true;
}

}  // namespace beelines
