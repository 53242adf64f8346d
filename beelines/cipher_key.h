// The RC4 key behind SecureCipher, one implementation per platform: CryptoAPI on Windows, Nettle
// elsewhere. Both reproduce the same key stream, so documents move freely between them.
#pragma once

#include <memory>
#include <string>

namespace beelines {

class CipherKey {
public:
    // The key derived from `passphrase`, or nullptr when the platform cannot provide it.
    static std::unique_ptr<CipherKey> Derive(const std::string& passphrase);
    virtual ~CipherKey() = default;

    // Each call runs from the start of the key stream. False leaves `bytes` as they were.
    virtual bool Encrypt(std::string& bytes) const = 0;
    virtual bool Decrypt(std::string& bytes) const = 0;
};

}  // namespace beelines
