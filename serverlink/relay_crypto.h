// The cloud relay's message cipher: AES-256-CBC with PKCS #7 padding under a
// key and IV fixed in the program (the relay service knows the same pair),
// every message from a fresh cipher state, carried as base64 text. The same
// JSON text therefore always encrypts to the same base64 text.
// Pure functions; safe from any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zol {

inline constexpr std::string_view kRelayKey = "Qe4tRw9pLmZx2VbN7cYh1KsD8fGj3HuT";
inline constexpr std::string_view kRelayIv = "4082719356102847";

std::string RelayEncrypt(std::string_view plaintext);
// Empty optional when the bytes are not whole cipher blocks or the padding
// is invalid.
std::optional<std::string> RelayDecrypt(std::string_view ciphertext);

// JSON text -> AES -> base64.
std::string EncryptAndEncode(std::string_view json);
// base64 -> AES -> plaintext taken up to its first zero byte. Empty optional
// when the line does not decrypt (not base64 of whole blocks, bad padding).
std::optional<std::string> DecodeAndDecrypt(std::string_view line);

}  // namespace zol
