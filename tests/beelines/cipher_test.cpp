// The stored texts below were produced once by the CryptoAPI build under Wine. Both builds must
// reproduce them, so documents written on one platform read back on the other.
#include <gtest/gtest.h>

#include <string>

#include "beelines/base64.h"
#include "beelines/secure_cipher.h"

namespace {

using beelines::SecureCipher;

std::string Bytes200() {
    std::string value;
    for (int i = 0; i < 200; ++i) value += static_cast<char>(1 + (i * 37) % 255);
    return value;
}

std::string HighBytes() {
    std::string value;
    for (int i = 0x80; i <= 0xFF; ++i) value += static_cast<char>(i);
    return value;
}

struct KnownAnswer {
    std::string plain;
    std::string stored;
};

const KnownAnswer kKnownAnswers[] = {
    {"", "Fg=="},
    {"a", "d4s="},
    {"ab", "d+kP"},
    {"abc", "d+ls8w=="},
    {"hello", "fu5jnzac"},
    {Bytes200(),
     "F61Eg8wmUH6PoHKHu13VdqjgzLiIgXS8anCTHQF2IlvAitd0tyWdtvDKKdXnxHFz9k98OCCLhV1LqH9ilxuIOiM10s"
     "FLE41XYtNqwpPe6jN+d4bfwzzpGKHyQfSpEMeDGIh0e+31fxeP+yLxuAW/8Bdn2PGoqpdvUy/6RclHziMiWGoj2H5Q"
     "6xqlrw6JnRU3dDEIXR6EYA4YTAuIVQjQaCi1xUsXuBlewxBoTjM8qecHZeAHQQOIaZt+Nnw0YUouab6f1oE+B3oj"},
    {HighBytes(),
     "lgqNcN0ZCfwtZoyViTNS12sJw+n7GdB8jkjPbYzd50TF4ZrCKd+/uJaQmkAo4XIOseOM7BiP5RHSV65JnnzJoKmbhL"
     "tR0mLe2YId61c+dosyZ7IAJr9Eb7zBixovsr2VFn2vxoq4VAJ/L6qd+DmnA6bwobKJpUHdwVm0Z8ueebKx"},
};

std::string Encrypted(const SecureCipher& cipher, std::string value) {
    cipher.EncryptSecureValue(value);
    return value;
}

std::string Decrypted(const SecureCipher& cipher, std::string value) {
    cipher.DecryptSecureValue(value);
    return value;
}

TEST(SecureCipher, DerivesItsKeyOnThisPlatform) { EXPECT_TRUE(SecureCipher().HasKey()); }

TEST(SecureCipher, EnciphersToTheKnownStoredTexts) {
    SecureCipher cipher;
    for (const KnownAnswer& answer : kKnownAnswers) {
        EXPECT_EQ(Encrypted(cipher, answer.plain), answer.stored) << answer.plain.size() << " bytes";
    }
}

TEST(SecureCipher, DeciphersTheKnownStoredTexts) {
    SecureCipher cipher;
    for (const KnownAnswer& answer : kKnownAnswers) {
        EXPECT_EQ(Decrypted(cipher, answer.stored), answer.plain) << answer.plain.size() << " bytes";
    }
}

TEST(SecureCipher, StoredTextHasFourCharactersPerThreeBytesOfValueAndZero) {
    SecureCipher cipher;
    for (std::size_t n = 0; n < 20; ++n) {
        const std::string stored = Encrypted(cipher, std::string(n, 'x'));
        EXPECT_EQ(stored.size(), 4 * ((n + 1 + 2) / 3)) << n;
        EXPECT_EQ(stored.find_first_not_of(
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
                  std::string::npos);
    }
}

TEST(SecureCipher, EveryValueStartsFromTheSameKeyStream) {
    SecureCipher cipher;
    const std::string first = Encrypted(cipher, "secret");
    Encrypted(cipher, "something else in between");
    EXPECT_EQ(Encrypted(cipher, "secret"), first);
}

TEST(SecureCipher, SkipsLineBreaksAndOtherNonAlphabetCharacters) {
    SecureCipher cipher;
    EXPECT_EQ(Decrypted(cipher, "fu5j\r\nnzac"), "hello");
    EXPECT_EQ(Decrypted(cipher, " fu5j*nz ac"), "hello");
}

TEST(SecureCipher, StopsAtTheFirstZeroByteOfTheDecipheredText) {
    SecureCipher cipher;
    std::string value = "ab";
    value += '\0';
    value += "cd";
    EXPECT_EQ(Decrypted(cipher, Encrypted(cipher, value)), "ab");
}

TEST(SecureCipher, WithoutAKeyStoresThePlainBase64OfValueAndZero) {
    SecureCipher cipher{SecureCipher::WithoutKey{}};
    EXPECT_FALSE(cipher.HasKey());
    EXPECT_EQ(Encrypted(cipher, "hello"), "aGVsbG8A");
    EXPECT_EQ(Encrypted(cipher, ""), "AA==");
    EXPECT_EQ(Decrypted(cipher, "aGVsbG8A"), "hello");
    EXPECT_EQ(Decrypted(cipher, Encrypted(cipher, HighBytes())), HighBytes());
}

TEST(SecureCipher, TextMadeUnderAnotherKeyGivesBytesUpToTheirFirstZero) {
    SecureCipher cipher;
    const std::string plain = Decrypted(cipher, "aGVsbG8A");  // stored without a key
    EXPECT_NE(plain, "hello");
    EXPECT_EQ(plain.find('\0'), std::string::npos);
    EXPECT_LE(plain.size(), 6u);
}

TEST(Base64, PadsTheLastGroup) {
    EXPECT_EQ(beelines::EncodeBase64(""), "");
    EXPECT_EQ(beelines::EncodeBase64("M"), "TQ==");
    EXPECT_EQ(beelines::EncodeBase64("Ma"), "TWE=");
    EXPECT_EQ(beelines::EncodeBase64("Man"), "TWFu");
    EXPECT_EQ(beelines::EncodeBase64("\xFF\xFE\xFD"), "//79");
}

TEST(Base64, DecodingStopsAtTheFirstPaddingCharacter) {
    EXPECT_EQ(beelines::DecodeBase64("TWFu"), "Man");
    EXPECT_EQ(beelines::DecodeBase64("TWE="), "Ma");
    EXPECT_EQ(beelines::DecodeBase64("TQ=="), "M");
    EXPECT_EQ(beelines::DecodeBase64("TQ==TWFu"), "M");
    EXPECT_EQ(beelines::DecodeBase64("//79"), "\xFF\xFE\xFD");
}

TEST(Base64, DecodingNeverYieldsMoreThanTheCountedBytes) {
    // Eight characters with one "=" among the last two count as 5 bytes, however they decode.
    EXPECT_EQ(beelines::DecodeBase64("AAAAAAA=").size(), 5u);
    EXPECT_EQ(beelines::DecodeBase64("").size(), 0u);
    EXPECT_EQ(beelines::DecodeBase64("A").size(), 0u);
}

}  // namespace
