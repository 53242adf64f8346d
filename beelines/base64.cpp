#include "beelines/base64.h"

#include <array>

namespace beelines {

namespace {

constexpr char kEncodeTable[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";
constexpr char kPadding = kEncodeTable[64];
constexpr unsigned char kNotInAlphabet = 0xFF;

std::array<unsigned char, 256> MakeDecodeTable() {
    std::array<unsigned char, 256> table{};
    table.fill(kNotInAlphabet);
    for (unsigned char i = 0; i < 64; ++i) table[static_cast<unsigned char>(kEncodeTable[i])] = i;
    return table;
}

std::size_t DecodedSize(const std::string& text) {
    std::size_t size = 3 * ((text.size() + 3) / 4);
    for (std::size_t i = text.size() >= 2 ? text.size() - 2 : 0; i < text.size(); ++i) {
        if (text[i] == kPadding) --size;
    }
    return size;
}

}  // namespace

std::string EncodeBase64(const std::string& bytes) {
    std::string text;
    text.reserve(4 * ((bytes.size() + 2) / 3));
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        unsigned long group = static_cast<unsigned char>(bytes[i]) << 16;
        if (left > 1) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (left > 2) group |= static_cast<unsigned char>(bytes[i + 2]);
        text += kEncodeTable[(group >> 18) & 63];
        text += kEncodeTable[(group >> 12) & 63];
        text += left > 1 ? kEncodeTable[(group >> 6) & 63] : kPadding;
        text += left > 2 ? kEncodeTable[group & 63] : kPadding;
    }
    return text;
}

std::string DecodeBase64(const std::string& text) {
    static const std::array<unsigned char, 256> kDecodeTable = MakeDecodeTable();
    const std::size_t limit = DecodedSize(text);
    std::string bytes;
    bytes.reserve(limit);
    unsigned long bits = 0;
    int count = 0;
    for (char c : text) {
        if (c == kPadding || bytes.size() == limit) break;
        const unsigned char sextet = kDecodeTable[static_cast<unsigned char>(c)];
        if (sextet == kNotInAlphabet) continue;
        bits = ((bits << 6) | sextet) & 0xFFFF;
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return bytes;
}

}  // namespace beelines
