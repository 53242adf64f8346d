// The same key stream without CryptoAPI: RC4 keyed with the first 5 bytes of the passphrase's MD5
// digest followed by 11 zero bytes, which is what the Base provider's 40-bit key amounts to.
#include "beelines/cipher_key.h"

#include <nettle/arcfour.h>
#include <nettle/md5.h>

#include <cstring>

namespace beelines {

namespace {

constexpr std::size_t kEffectiveKeyBytes = 5;
constexpr std::size_t kRc4KeyBytes = 16;

class NettleKey : public CipherKey {
public:
    explicit NettleKey(const std::string& passphrase) {
        md5_ctx md5;
        md5_init(&md5);
        md5_update(&md5, passphrase.size(), reinterpret_cast<const uint8_t*>(passphrase.data()));
        uint8_t digest[MD5_DIGEST_SIZE];
        md5_digest(&md5, sizeof digest, digest);
        std::memset(key_, 0, sizeof key_);
        std::memcpy(key_, digest, kEffectiveKeyBytes);
    }

    bool Encrypt(std::string& bytes) const override { return Crypt(bytes); }
    bool Decrypt(std::string& bytes) const override { return Crypt(bytes); }

private:
    bool Crypt(std::string& bytes) const {
        if (bytes.empty()) return true;
        arcfour_ctx rc4;
        arcfour_set_key(&rc4, sizeof key_, key_);
        auto* data = reinterpret_cast<uint8_t*>(&bytes[0]);
        arcfour_crypt(&rc4, bytes.size(), data, data);
        return true;
    }

    uint8_t key_[kRc4KeyBytes];
};

}  // namespace

std::unique_ptr<CipherKey> CipherKey::Derive(const std::string& passphrase) {
    return std::make_unique<NettleKey>(passphrase);
}

}  // namespace beelines
