// The key from the Base Cryptographic Provider: MD5 over the passphrase, RC4 derived with the
// provider's defaults (40 bits, default salt).
#include "beelines/cipher_key.h"

#include <windows.h>
#include <wincrypt.h>

namespace beelines {

namespace {

class CryptoApiKey : public CipherKey {
public:
    ~CryptoApiKey() override {
        if (key_ != 0) CryptDestroyKey(key_);
        if (hash_ != 0) CryptDestroyHash(hash_);
        if (provider_ != 0) CryptReleaseContext(provider_, 0);
    }

    bool Acquire(const std::string& passphrase) {
        const char* name = "Microsoft Base Cryptographic Provider v1.0";
        if (!CryptAcquireContextA(&provider_, nullptr, name, PROV_RSA_FULL, 0) &&
            !CryptAcquireContextA(&provider_, nullptr, name, PROV_RSA_FULL, CRYPT_NEWKEYSET)) {
            provider_ = 0;
            return false;
        }
        if (!CryptCreateHash(provider_, CALG_MD5, 0, 0, &hash_)) {
            hash_ = 0;
            return false;
        }
        const auto* data = reinterpret_cast<const BYTE*>(passphrase.data());
        if (!CryptHashData(hash_, data, static_cast<DWORD>(passphrase.size()), 0)) return false;
        if (!CryptDeriveKey(provider_, CALG_RC4, hash_, 0, &key_)) {
            key_ = 0;
            return false;
        }
        return true;
    }

    bool Encrypt(std::string& bytes) const override {
        DWORD size = static_cast<DWORD>(bytes.size());
        if (!CryptEncrypt(key_, 0, TRUE, 0, nullptr, &size, 0)) return false;
        std::string buffer = bytes;
        buffer.resize(size < bytes.size() ? bytes.size() : size);
        DWORD length = static_cast<DWORD>(bytes.size());
        if (!CryptEncrypt(key_, 0, TRUE, 0, reinterpret_cast<BYTE*>(&buffer[0]), &length,
                          static_cast<DWORD>(buffer.size()))) {
            return false;
        }
        buffer.resize(length);
        bytes.swap(buffer);
        return true;
    }

    bool Decrypt(std::string& bytes) const override {
        if (bytes.empty()) return true;
        std::string buffer = bytes;
        DWORD length = static_cast<DWORD>(buffer.size());
        if (!CryptDecrypt(key_, 0, TRUE, 0, reinterpret_cast<BYTE*>(&buffer[0]), &length)) {
            return false;
        }
        buffer.resize(length);
        bytes.swap(buffer);
        return true;
    }

private:
    HCRYPTPROV provider_ = 0;
    HCRYPTHASH hash_ = 0;
    HCRYPTKEY key_ = 0;
};

}  // namespace

std::unique_ptr<CipherKey> CipherKey::Derive(const std::string& passphrase) {
    auto key = std::make_unique<CryptoApiKey>();
    if (!key->Acquire(passphrase)) return nullptr;
    return key;
}

}  // namespace beelines
