// The server's randomness: table codes, seat tokens and every shuffle come
// from the kernel's cryptographic generator.
#pragma once

#include <cstdint>

namespace tav::server {

// 64 bits from getrandom(2); throws std::runtime_error if the kernel refuses.
std::uint64_t crypto_random();

}  // namespace tav::server
