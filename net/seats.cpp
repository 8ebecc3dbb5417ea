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

namespace {
constexpr std::string_view kHex = "0123456789abcdef";
}

std::string token_text(const Token& t) {
    std::string s;
    for (std::uint8_t b : t) {
        s += kHex[b >> 4];
        s += kHex[b & 15];
    }
    return s;
}

std::optional<Token> token_from_text(std::string_view text) {
    Token t{};
    if (text.size() != 2 * t.size()) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t digit = kHex.find(text[i]);
        if (digit == std::string_view::npos) return std::nullopt;
        t[i / 2] = static_cast<std::uint8_t>(t[i / 2] << 4 | digit);
    }
    return t;
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
