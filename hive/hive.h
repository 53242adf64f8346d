// Hive archives: a plain concatenation of entries, each a little-endian header (data length, name
// length), the name and the data, with no signature, count or trailer.
//
// A hive comes from another user, so everything in it is untrusted: lengths are checked against
// what the file really holds, and names are confined below the directory they are written to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hive {

// The header of one entry followed by its name: two unsigned 32-bit little-endian integers
// (dataLength, then the name's length) and the name's bytes. The data follows it in the hive.
// The bytes are assembled one by one, so the layout does not depend on the host's byte order.
std::string EntryHeader(std::uint32_t dataLength, const std::string& name);

// Where an entry with the stored name `storedName` may be written, relative to the directory it
// is extracted to; "" when the name is refused. Leading drive ("C:", whatever the character
// before the colon), UNC ("\\server\share\") and root ("\" or "/") prefixes are dropped; a name
// with a ".." component (or one Windows reads as "..", such as ".. " or "..."), an embedded NUL,
// or nothing left after the prefixes is refused. Both '\' and '/' separate components; off
// Windows every '\' becomes '/'.
std::string SafeEntryPath(const std::string& storedName);

// Writes every entry of the hive at hivePath as a file and returns the first entry's stored name
// ("" when the hive cannot be opened or holds no complete header and name). The first entry goes
// to SafeEntryPath(name) relative to the current directory, every further one to
// targetDirectory + SafeEntryPath(name) (plain concatenation: targetDirectory is empty or ends in
// a separator). Existing files are overwritten; an entry whose file cannot be created is skipped.
// An entry cut off by the end of the file is not written and ends the extraction. The stored
// names of entries refused by SafeEntryPath are appended to *refused when it is given.
std::string ExtractHive(const std::string& hivePath, const std::string& targetDirectory,
                        std::vector<std::string>* refused = nullptr);

}  // namespace hive
