#include "net/seats.h"

namespace tav::net {

bool same_token(const Token& a, const Token& b) {
    // Every byte is read whatever the earlier ones held: a guesser learns
    // nothing from how long a refusal takes.
    unsigned diff = 0;
    for (std::size_t i = 0; i < a.size(); ++i) diff |= static_cast<unsigned>(a[i] ^ b[i]);
    return diff == 0;
}

std::string name_refused(std::string_view name) {
    if (name.empty()) return "a player needs a name";
    if (name.size() > kMaxNameBytes) return "a name holds at most " + std::to_string(kMaxNameBytes) + " bytes";
    for (std::size_t i = 0; i < name.size();) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (b < 0x20 || b == 0x7f) return "a name may hold no control characters";
        const std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xe ? 3 : (b >> 3) == 0x1e ? 4 : 0;
        if (len == 0 || i + len > name.size()) return "a name must be UTF-8 text";
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(name[i + k]) >> 6) != 0x2) return "a name must be UTF-8 text";
        i += len;
    }
    return "";
}

}  // namespace tav::net
