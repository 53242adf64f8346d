// Secret parameter values are stored as the Base64 text of their RC4 cipher text (the value's
// bytes and one zero byte), keyed from a passphrase built into the program.
#pragma once

#include <memory>
#include <string>

namespace beelines {

class CipherKey;  // the platform's RC4 key; see cipher_key.h

class SecureCipher {
public:
    // Derives the key. When the platform cannot provide it, values are stored unenciphered.
    SecureCipher();
    // A cipher as it is when no key could be derived.
    struct WithoutKey {};
    explicit SecureCipher(WithoutKey);
    ~SecureCipher();
    SecureCipher(const SecureCipher&) = delete;
    SecureCipher& operator=(const SecureCipher&) = delete;

    bool HasKey() const { return key_ != nullptr; }

    // Replaces the plain `value` by its stored text.
    void EncryptSecureValue(std::string& value) const;
    // Replaces the stored text `value` by the plain value: the deciphered bytes up to the first
    // zero byte.
    void DecryptSecureValue(std::string& value) const;

private:
    std::unique_ptr<CipherKey> key_;
};

// The process's one cipher, created on first use and destroyed at process end.
const SecureCipher& ProcessCipher();

}  // namespace beelines
