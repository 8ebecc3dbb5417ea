// libFuzzer target: a client's text, as the server reads it. Any text is
// either refused with a named error, or gives one message whose text reads
// back as the same message and the same text; a server's text likewise.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "net/protocol.h"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

template <class Message>
void check(const tav::net::Decoded<Message>& d, tav::net::Decoded<Message> (*decode)(std::string_view)) {
    if (!d.ok()) {
        require(!tav::net::code_name(d.error.code).empty() && !d.error.message.empty());
        return;
    }
    const std::string text = tav::net::encode(*d.message);
    const tav::net::Decoded<Message> again = decode(text);
    require(again.ok() && *again.message == *d.message && tav::net::encode(*again.message) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check(tav::net::decode_client(text), tav::net::decode_client);
    check(tav::net::decode_server(text), tav::net::decode_server);
    return 0;
}
