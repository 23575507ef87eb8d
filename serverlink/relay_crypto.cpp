#include "serverlink/relay_crypto.h"

#include <cryptopp/aes.h>
#include <cryptopp/filters.h>
#include <cryptopp/modes.h>

#include "serverlink/relay_base64.h"

namespace zol {
namespace {

const CryptoPP::byte* AsBytes(std::string_view text) {
    return reinterpret_cast<const CryptoPP::byte*>(text.data());
}

static_assert(kRelayKey.size() == CryptoPP::AES::MAX_KEYLENGTH);
static_assert(kRelayIv.size() == CryptoPP::AES::BLOCKSIZE);

}  // namespace

std::string RelayEncrypt(std::string_view plaintext) {
    CryptoPP::CBC_Mode<CryptoPP::AES>::Encryption cipher(AsBytes(kRelayKey), kRelayKey.size(),
                                                         AsBytes(kRelayIv));
    std::string ciphertext;
    CryptoPP::StringSource source(
        AsBytes(plaintext), plaintext.size(), true,
        new CryptoPP::StreamTransformationFilter(cipher, new CryptoPP::StringSink(ciphertext)));
    return ciphertext;
}

std::optional<std::string> RelayDecrypt(std::string_view ciphertext) {
    // Whole blocks only; Crypto++ would report the same through an exception.
    if (ciphertext.empty() || ciphertext.size() % CryptoPP::AES::BLOCKSIZE != 0) {
        return std::nullopt;
    }
    CryptoPP::CBC_Mode<CryptoPP::AES>::Decryption cipher(AsBytes(kRelayKey), kRelayKey.size(),
                                                         AsBytes(kRelayIv));
    std::string plaintext;
    try {
        CryptoPP::StringSource source(
            AsBytes(ciphertext), ciphertext.size(), true,
            new CryptoPP::StreamTransformationFilter(cipher, new CryptoPP::StringSink(plaintext)));
    } catch (const CryptoPP::Exception&) {
        return std::nullopt;  // invalid padding
    }
    return plaintext;
}

std::string EncryptAndEncode(std::string_view json) {
    return Base64Encode(RelayEncrypt(json));
}

std::optional<std::string> DecodeAndDecrypt(std::string_view line) {
    std::optional<std::string> plaintext = RelayDecrypt(Base64Decode(line));
    if (plaintext) {
        const std::size_t end = plaintext->find('\0');
        if (end != std::string::npos)
            plaintext->resize(end);
    }
    return plaintext;
}

}  // namespace zol
