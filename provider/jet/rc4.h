// The RC4 stream cipher, which hides part of the header page and, optionally, every other page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace provider::jet {

// Encrypts or decrypts (the same operation) `bytes` in place with `key`.
void Rc4Apply(std::span<const std::uint8_t> key, std::span<std::uint8_t> bytes);

}  // namespace provider::jet
