#include "beelines/secure_cipher.h"

#include "beelines/base64.h"
#include "beelines/cipher_key.h"

namespace beelines {

namespace {

// Hashed as its 15 bytes, without a terminator.
const std::string kPassphrase = "q#7Lm!w2Zp$4Rx^";

}  // namespace

SecureCipher::SecureCipher() : key_(CipherKey::Derive(kPassphrase)) {}

SecureCipher::SecureCipher(WithoutKey) {}

SecureCipher::~SecureCipher() = default;

void SecureCipher::EncryptSecureValue(std::string& value) const {
    std::string bytes = value;
    bytes += '\0';
    if (key_ != nullptr) key_->Encrypt(bytes);
    value = EncodeBase64(bytes);
}

void SecureCipher::DecryptSecureValue(std::string& value) const {
    std::string bytes = DecodeBase64(value);
    if (key_ != nullptr) key_->Decrypt(bytes);
    value.assign(bytes, 0, bytes.find('\0'));
}

const SecureCipher& ProcessCipher() {
    static const SecureCipher cipher;
    return cipher;
}

}  // namespace beelines
