#include "server/entropy.h"

#include <sys/random.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace tav::server {

std::uint64_t crypto_random() {
    std::uint64_t value = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(&value);
    std::size_t got = 0;
    while (got < sizeof value) {
        const ssize_t n = getrandom(bytes + got, sizeof value - got, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error(std::string("getrandom failed: ") + std::strerror(errno));
        }
        got += static_cast<std::size_t>(n);
    }
    return value;
}

}  // namespace tav::server
