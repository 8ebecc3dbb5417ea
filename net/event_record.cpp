#include "net/event_record.h"

#include <array>
#include <cstring>
#include <type_traits>
#include <utility>

namespace tav::net {

namespace {

using game::Event;

// Each event's bytes as they lie in memory, with every run of zero bytes
// (up to 255 long) written as a zero and the run's length.
template <class T>
void write(const T& value, std::vector<std::uint8_t>& out) {
    static_assert(std::is_trivially_copyable_v<T>, "kept by its bytes");
    std::array<std::uint8_t, sizeof(T)> raw{};
    std::memcpy(raw.data(), &value, sizeof(T));
    for (std::size_t i = 0; i < raw.size();) {
        if (raw[i] != 0) {
            out.push_back(raw[i++]);
            continue;
        }
        std::size_t run = 0;
        while (i < raw.size() && raw[i] == 0 && run < 255) ++i, ++run;
        out.push_back(0);
        out.push_back(static_cast<std::uint8_t>(run));
    }
}

template <class T>
Event read(const std::uint8_t*& at) {
    std::array<std::uint8_t, sizeof(T)> raw{};
    for (std::size_t i = 0; i < raw.size();) {
        if (*at != 0) {
            raw[i++] = *at++;
            continue;
        }
        i += at[1];  // already zero
        at += 2;
    }
    T value;
    std::memcpy(&value, raw.data(), sizeof(T));
    return value;
}

template <std::size_t... I>
constexpr auto readers(std::index_sequence<I...>) {
    return std::array<Event (*)(const std::uint8_t*&), sizeof...(I)>{&read<std::variant_alternative_t<I, Event>>...};
}
constexpr auto kReaders = readers(std::make_index_sequence<std::variant_size_v<Event>>{});

}  // namespace

void EventRecord::push(const Event& e) {
    bytes_.push_back(static_cast<std::uint8_t>(e.index()));
    std::visit([this](const auto& value) { write(value, bytes_); }, e);
    ++count_;
}

std::vector<Event> EventRecord::events() const {
    std::vector<Event> out;
    out.reserve(count_);
    const std::uint8_t* at = bytes_.data();
    for (std::size_t i = 0; i < count_; ++i) {
        const std::size_t kind = *at++;
        out.push_back(kReaders[kind](at));
    }
    return out;
}

}  // namespace tav::net
