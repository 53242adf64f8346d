// The Base64 form of stored secret values: the standard alphabet with "=" padding.
#pragma once

#include <string>

namespace beelines {

// Each group of three bytes becomes four characters; a last group of two ends in "=", of one in
// "==".
std::string EncodeBase64(const std::string& bytes);

// Reads characters up to the first "=" or the end, skipping every character outside the alphabet
// (a line break, say). Never yields more than 3 * ceil(L / 4) bytes, less one for each "=" among
// the last two characters, for a text of L characters.
std::string DecodeBase64(const std::string& text);

}  // namespace beelines
