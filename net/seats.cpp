#include "net/seats.h"

#include "net/refusals.h"

namespace tav::net {

bool same_token(const Token& a, const Token& b) {
    // Every byte is read whatever the earlier ones held: a guesser learns
    // nothing from how long a refusal takes.
    unsigned diff = 0;
    for (std::size_t i = 0; i < a.size(); ++i) diff |= static_cast<unsigned>(a[i] ^ b[i]);
    return diff == 0;
}

std::string name_refused(std::string_view name) {
    if (name.empty()) return std::string(refusal::kNoName);
    if (name.size() > kMaxNameBytes) return std::string(refusal::kLongName);
    for (std::size_t i = 0; i < name.size();) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (b < 0x20 || b == 0x7f) return std::string(refusal::kControlInName);
        const std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xe ? 3 : (b >> 3) == 0x1e ? 4 : 0;
        if (len == 0 || i + len > name.size()) return std::string(refusal::kNotText);
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(name[i + k]) >> 6) != 0x2) return std::string(refusal::kNotText);
        i += len;
    }
    return "";
}

}  // namespace tav::net
