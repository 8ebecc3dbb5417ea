// The protocol's messages: every malformed client text is refused naming
// the field at fault, with no message; every message kind and every event
// kind of real deals comes back from its text exactly; and a seat's text
// never names a card that seat may not see.
#include "net/protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/observation.h"
#include "rules/engine.h"
#include "tests/engine/game_support.h"

namespace tav {
namespace {

using game::Event;
using game::Seat;
using net::ErrorCode;

struct Malformed {
    std::string text;
    ErrorCode code;
    std::string field;
};

const std::string kCode = "ABCDEFGH23";
const std::string kToken = "0123456789abcdef0123456789abcdef";
const std::string kRules = R"("rules":{"threes":true,"smother":false,"points":false,"tributes":true})";

TEST(Protocol, MalformedClientTextsAreRefusedNamingTheField) {
    const std::vector<Malformed> rows{
        {"", ErrorCode::not_json, ""},
        {"{", ErrorCode::not_json, ""},
        {R"({"type":"hello","protocol":1} x)", ErrorCode::not_json, ""},
        {R"({"type":"hello","protocol":1,})", ErrorCode::not_json, ""},  // no trailing commas
        {R"({"type":"hello",/*c*/"protocol":1})", ErrorCode::not_json, ""},
        {"{\"type\":\"chat\",\"text\":\"\xff\"}", ErrorCode::not_json, ""},  // not UTF-8
        {R"([{"type":"hello"}])", ErrorCode::not_object, ""},
        {"17", ErrorCode::not_object, ""},
        {R"({"type":"hello","protocol":1,"pad":")" + std::string(4096, 'x') + "\"}", ErrorCode::too_long, ""},
        {R"({"type":"decide","decision":{"move":"play","cards":[[[[[[[[1]]]]]]]]},"version":1})", ErrorCode::not_json,
         ""},
        {R"({"protocol":1})", ErrorCode::missing_field, "type"},
        {R"({"type":7})", ErrorCode::wrong_type, "type"},
        {R"({"type":"welcome","protocol":1})", ErrorCode::unknown_type, "type"},  // a server's message
        {R"({"type":"Hello","protocol":1})", ErrorCode::unknown_type, "type"},
        {R"({"type":"hello"})", ErrorCode::missing_field, "protocol"},
        {R"({"type":"hello","protocol":"1"})", ErrorCode::wrong_type, "protocol"},
        {R"({"type":"hello","protocol":1.0})", ErrorCode::wrong_type, "protocol"},
        {R"({"type":"hello","protocol":0})", ErrorCode::out_of_bounds, "protocol"},
        {R"({"type":"hello","protocol":18446744073709551615})", ErrorCode::out_of_bounds, "protocol"},
        {R"({"type":"hello","protocol":1,"extra":0})", ErrorCode::unknown_field, "extra"},
        {R"({"type":"start","seat":"A"})", ErrorCode::unknown_field, "seat"},
        {R"({"type":"hello","protocol":1,"protocol":2})", ErrorCode::repeated_field, "protocol"},
        {R"({"type":"sit","seat":"A","type":"sit"})", ErrorCode::repeated_field, "type"},
        {R"({"type":"decide","decision":{"move":"pass","cards":[],"move":"play"},"version":1})",
         ErrorCode::repeated_field, "move"},
        {R"({"type":"create","name":"友",)" + kRules + R"(,"level":"classic"})", ErrorCode::missing_field, "seconds"},
        {R"({"type":"create","name":"",)" + kRules + R"(,"level":"classic","seconds":30})", ErrorCode::out_of_bounds,
         "name"},
        {R"({"type":"create","name":"一二三四五六七八九十一二三四五六七",)" + kRules +
             R"(,"level":"classic","seconds":30})",
         ErrorCode::out_of_bounds, "name"},  // 17 characters
        {R"({"type":"join","code":")" + kCode + R"(","name":"😀😀😀😀😀😀😀😀😀😀😀😀😀"})", ErrorCode::out_of_bounds,
         "name"},  // 13 characters but 52 bytes
        {R"({"type":"create","name":"a\nb",)" + kRules + R"(,"level":"classic","seconds":30})",
         ErrorCode::out_of_bounds, "name"},
        {R"({"type":"create","name":"a","rules":{"threes":true},"level":"classic","seconds":30})",
         ErrorCode::missing_field, "rules.smother"},
        {R"({"type":"create","name":"a","rules":{"threes":1,"smother":false,"points":false,"tributes":true},"level":"classic","seconds":30})",
         ErrorCode::wrong_type, "rules.threes"},
        {R"({"type":"create","name":"a","rules":{"threes":true,"smother":false,"points":false,"tributes":true,"x":1},"level":"classic","seconds":30})",
         ErrorCode::unknown_field, "rules.x"},
        {R"({"type":"create","name":"a",)" + kRules + R"(,"level":"thumb","seconds":30})", ErrorCode::out_of_bounds,
         "level"},
        {R"({"type":"create","name":"a",)" + kRules + R"(,"level":"classic","seconds":601})", ErrorCode::out_of_bounds,
         "seconds"},
        {R"({"type":"create","name":"a",)" + kRules + R"(,"level":"classic","seconds":-1})", ErrorCode::out_of_bounds,
         "seconds"},
        {R"({"type":"join","code":"abcdefgh23","name":"a"})", ErrorCode::out_of_bounds, "code"},
        {R"({"type":"join","code":"ABCDEFGH2","name":"a"})", ErrorCode::out_of_bounds, "code"},
        {R"({"type":"join","code":"ABCDEFGHI0","name":"a"})", ErrorCode::out_of_bounds,
         "code"},  // I and 0: not in codes
        {R"({"type":"join","code":")" + kCode + R"("})", ErrorCode::missing_field, "name"},
        {R"({"type":"sit","seat":"G"})", ErrorCode::out_of_bounds, "seat"},
        {R"({"type":"sit","seat":"a"})", ErrorCode::out_of_bounds, "seat"},
        {R"({"type":"sit","seat":0})", ErrorCode::wrong_type, "seat"},
        {R"({"type":"decide","version":3})", ErrorCode::missing_field, "decision"},
        {R"({"type":"decide","decision":[],"version":3})", ErrorCode::wrong_type, "decision"},
        {R"({"type":"decide","decision":{"move":"play","cards":[5,0]},"version":3})", ErrorCode::out_of_bounds,
         "decision.cards[1]"},
        {R"({"type":"decide","decision":{"move":"play","cards":[217]},"version":3})", ErrorCode::out_of_bounds,
         "decision.cards[0]"},
        {R"({"type":"decide","decision":{"move":"play","cards":["5"]},"version":3})", ErrorCode::wrong_type,
         "decision.cards[0]"},
        {R"({"type":"decide","decision":{"move":"play","cards":5},"version":3})", ErrorCode::wrong_type,
         "decision.cards"},
        {R"({"type":"decide","decision":{"move":"fold","cards":[]},"version":3})", ErrorCode::out_of_bounds,
         "decision.move"},
        {R"({"type":"decide","decision":{"move":"shuffle","cards":[1]},"version":3})", ErrorCode::out_of_bounds,
         "decision.cards"},  // the server draws the pack
        {R"({"type":"decide","decision":{"move":"pass","cards":[],"by_computer":true},"version":3})",
         ErrorCode::unknown_field, "decision.by_computer"},
        {R"({"type":"decide","decision":{"move":"pass","cards":[]}})", ErrorCode::missing_field, "version"},
        {R"({"type":"decide","decision":{"move":"pass","cards":[]},"version":-1})", ErrorCode::out_of_bounds,
         "version"},
        {R"({"type":"decide","decision":{"move":"pass","cards":[]},"version":9007199254740992})",
         ErrorCode::out_of_bounds, "version"},
        {R"({"type":"decide","decision":{"move":"play","cards":[)" +
             [] {
                 std::string s;
                 for (int i = 0; i < 97; ++i) s += (i ? ",1" : "1");
                 return s;
             }() +
             R"(]},"version":3})",
         ErrorCode::out_of_bounds, "decision.cards"},
        {R"({"type":"chat","text":""})", ErrorCode::out_of_bounds, "text"},
        {R"({"type":"chat","text":")" + std::string(121, 'x') + "\"}", ErrorCode::out_of_bounds, "text"},
        {R"({"type":"chat","text":"a\u0000b"})", ErrorCode::out_of_bounds, "text"},
        {R"({"type":"chat","text":null})", ErrorCode::wrong_type, "text"},
        {R"({"type":"rejoin","code":")" + kCode + R"(","token":"0123456789ABCDEF0123456789abcdef"})",
         ErrorCode::out_of_bounds, "token"},
        {R"({"type":"rejoin","code":")" + kCode + R"(","token":")" + kToken + R"(0"})", ErrorCode::out_of_bounds,
         "token"},
        {R"({"type":"leave","version":1})", ErrorCode::unknown_field, "version"},
        {R"({"type":"mute","seat":"B"})", ErrorCode::missing_field, "muted"},
        {R"({"type":"mute","seat":"G","muted":true})", ErrorCode::out_of_bounds, "seat"},
        {R"({"type":"mute","seat":"B","muted":1})", ErrorCode::wrong_type, "muted"},
    };
    for (const Malformed& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 160));
        const net::Decoded<net::ClientMessage> d = net::decode_client(row.text);
        EXPECT_FALSE(d.message.has_value());
        EXPECT_EQ(net::code_name(d.error.code), net::code_name(row.code));
        EXPECT_EQ(d.error.field, row.field);
        EXPECT_FALSE(d.error.message.empty());
        // The refusal travels as the server's error and reads back the same.
        const net::Decoded<net::ServerMessage> e = net::decode_server(net::encode(net::ServerMessage{d.error}));
        ASSERT_TRUE(e.ok()) << e.error.message;
        EXPECT_EQ(std::get<net::Error>(*e.message), d.error);
    }
}

// A message read back from its text is the same message, written the same.
template <class Message>
void expect_round_trip(const Message& m) {
    const std::string text = net::encode(m);
    SCOPED_TRACE(text.substr(0, 300));
    const auto d = [&] {
        if constexpr (std::is_same_v<Message, net::ClientMessage>)
            return net::decode_client(text);
        else
            return net::decode_server(text);
    }();
    ASSERT_TRUE(d.ok()) << net::code_name(d.error.code) << " " << d.error.field << " " << d.error.message;
    EXPECT_TRUE(*d.message == m);
    EXPECT_EQ(net::encode(*d.message), text);
}

TEST(Protocol, EveryClientMessageComesBackExactly) {
    const std::vector<net::ClientMessage> rows{
        net::Hello{1},
        net::Hello{65535},
        net::Create{"钟离云", {true, false, false, true}, game::Level::classic, 30},
        net::Create{"一二三四五六七八九十一二三四五六", {false, true, true, false}, game::Level::strong, 0},
        net::Create{"\"quoted\\\" é", {true, true, true, true}, game::Level::classic, 600},
        net::Join{kCode, "柳烟"},
        net::Sit{Seat::A},
        net::Sit{Seat::F},
        net::Start{},
        net::Decide{game::Decision::play({1, 216, 37}), 0},
        net::Decide{game::Decision::pass(), net::kMaxVersion},
        net::Decide{{game::Move::shuffle, {}}, 5},
        net::Decide{{game::Move::hold_back, {}}, 5},
        net::Decide{{game::Move::return_tribute, {40, 41}}, 7},
        net::Decide{{game::Move::take_tribute, {}}, 8},
        net::Decide{{game::Move::let_tribute_go, {}}, 9},
        net::Say{"好牌！"},
        net::Say{std::string(120, 'x')},
        net::Rejoin{kCode, kToken},
        net::Leave{},
        net::Mute{Seat::B, true},
        net::Mute{Seat::F, false},
    };
    for (const net::ClientMessage& m : rows) expect_round_trip(m);
}

// Every event kind, built by hand at the edges of its fields.
std::vector<Event> every_kind() {
    game::Hand shown, hidden;
    for (game::Card c : {3, 200, 216}) shown.push(c);
    for (int i = 0; i < 36; ++i) hidden.push(0);
    return {game::Shuffling{},
            game::Dealt{Seat::B, 0, 2},
            game::Dealt{Seat::A, 216, 216},
            game::LaidOut{Seat::C, hidden},
            game::LaidOut{Seat::A, shown},
            game::PlayBegins{},
            game::FirstLeader{Seat::F},
            game::Played{Seat::D, shown, true},
            game::PlayCalled{Seat::E, game::Makeup{1, 2, 3, 4, 5, 15}, false},
            game::Passed{Seat::B},
            game::HeldBack{Seat::C},
            game::PointOpened{Seat::D},
            game::PlayCleared{Seat::E},
            game::TrickTaken{},
            game::Asked{Seat::A, game::Ask::take_partner_tribute},
            game::Prompted{Seat::F, game::Ask::nothing},
            game::StoppedAtBound{},
            game::Placed{Seat::A, 6},
            game::Scored{Seat::B, -1000000},
            game::Swept{true},
            game::Swept{false},
            game::PlayOver{},
            game::DealOver{},
            game::TableReset{},
            game::TributeFiled{Seat::C, std::nullopt, game::DebtKind::smother, 0},
            game::TributeFiled{Seat::C, Seat::D, game::DebtKind::place, 2},
            game::TributeHanded{Seat::D, game::DebtKind::point, true, shown},
            game::TributeHanded{Seat::D, game::DebtKind::place, false, {}},
            game::TributeRefused{Seat::E},
            game::ThreeBought{Seat::F, Seat::A, 100, 101}};
}

TEST(Protocol, EveryServerMessageComesBackExactly) {
    std::bitset<std::variant_size_v<Event>> kinds;
    for (const Event& e : every_kind()) kinds.set(e.index());
    EXPECT_TRUE(kinds.all());

    net::TableInfo table{kCode, {}, std::nullopt, false, {true, true, false, false}, game::Level::strong, 0};
    table.seats[0] = {"钟离云", net::Occupant::human};
    table.seats[2] = {"电脑", net::Occupant::computer};
    table.seats[5] = {"柳烟", net::Occupant::dropped};
    net::TableInfo hosted = table;
    hosted.host = Seat::F;
    hosted.started = true;

    // A snapshot from a real deal part played: seat C's knowledge of it.
    game::State s = game::new_game(game::Rules{});
    std::mt19937_64 rng(7);
    game::Events ev;
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(test::autoplay(s, ev, rng));
    const game::State k = game::known_to(s, Seat::C);
    net::SeatSnapshot snap{Seat::C, 40, k.hands[Seat::C], {}, {}, {}, {}, game::observe(ev.list, Seat::C)};
    for (Seat x : game::kAllSeats) {
        const auto i = game::array_index(x);
        snap.hand_sizes[i] = k.hands[x].size();
        snap.plays[i] = k.plays[x];
        snap.places[i] = k.places[x];
        snap.scores[i] = k.scores[x];
    }

    std::vector<net::ServerMessage> rows{net::Welcome{1},
                                         table,
                                         hosted,
                                         net::Seated{Seat::D, kToken},
                                         net::StepEvents{0, {}},
                                         net::StepEvents{net::kMaxVersion, every_kind()},
                                         net::AskSeat{Seat::B, game::Ask::follow_or_hold, 12, 30},
                                         net::AskSeat{Seat::A, game::Ask::shuffle, 0, 0},
                                         snap,
                                         net::ChatLine{Seat::E, "柳烟", "快点"},
                                         net::ChatLine{std::nullopt, "看客", "好"},
                                         net::Error{ErrorCode::stale_version, "version", "the table has moved on"},
                                         net::Error{ErrorCode::refused, "", "不能出这手牌"}};
    // A spectator's: no seat, no hand.
    net::SeatSnapshot watched = snap;
    watched.seat.reset();
    watched.hand = {};
    rows.push_back(watched);
    for (int c = 0; c <= static_cast<int>(ErrorCode::rate_limited); ++c)
        rows.push_back(net::Error{static_cast<ErrorCode>(c), "", "x"});
    for (const net::ServerMessage& m : rows) expect_round_trip(m);
}

// The events of real deals under every rule set, with humans at every seat
// in some of them, each as every seat observes it: it comes back exactly,
// and the text for another seat names no card of a hand it cannot see.
TEST(Protocol, EventsOfRealDealsComeBackAndHideWhatASeatMayNotSee) {
    std::bitset<std::variant_size_v<Event>> kinds;
    long long events = 0;
    std::size_t longest = 0;  // the longest snapshot of a whole deal
    for (int rules = 0; rules < 16; ++rules) {
        SCOPED_TRACE(rules);
        game::State s = test::game_under_rules(rules);
        std::mt19937_64 rng(static_cast<std::uint64_t>(rules) + 11);
        game::Events ev;
        std::int64_t version = 0;
        std::vector<Event> deal;  // this deal's events so far: a rejoining seat's record
        for (int deals = 0; deals < 4;) {
            ev.clear();
            if (s.ask == game::Ask::shuffle) {
                ++deals;
                // The whole deal as a snapshot's record stays within the limits.
                net::SeatSnapshot snap;
                snap.record = game::observe(deal, Seat::E);
                longest = std::max(longest, net::encode(net::ServerMessage{snap}).size());
                ASSERT_LE(longest, net::kMaxServerMessage);
                expect_round_trip(net::ServerMessage{snap});
                deal.clear();
            }
            ASSERT_TRUE(test::autoplay(s, ev, rng));
            deal.insert(deal.end(), ev.list.begin(), ev.list.end());
            ++version;
            for (Seat seat : game::kAllSeats) {
                const net::StepEvents step{version, game::observe(ev.list, seat)};
                expect_round_trip(net::ServerMessage{step});
                if (HasFailure()) return;
                for (const Event& e : ev.list) {
                    kinds.set(e.index());
                    // One event alone: a card dealt to another seat names no card.
                    const auto* dealt = std::get_if<game::Dealt>(&e);
                    if (!dealt || dealt->seat == seat) continue;
                    const std::string one =
                        net::encode(net::ServerMessage{net::StepEvents{0, {game::observed(e, seat)}}});
                    ASSERT_EQ(one.find("\"card\""), std::string::npos) << one;
                }
                events += static_cast<long long>(step.events.size());
            }
        }
    }
    EXPECT_GT(events, 100000);
    EXPECT_GE(kinds.count(), 20u);  // the rest are rare; every_kind() has them all
    RecordProperty("longest_deal_snapshot_bytes", static_cast<int>(longest));
}

// A pile holding a face-down card is sent as a count whatever else it holds:
// the encoder names no card of it even when the caller forgot to observe.
TEST(Protocol, APileWithAFaceDownCardGoesAsACount) {
    game::Hand mixed;
    for (game::Card c : {17, 0, 18}) mixed.push(c);
    const std::string text = net::encode(net::ServerMessage{net::StepEvents{1, {game::LaidOut{Seat::B, mixed}}}});
    EXPECT_NE(text.find(R"("cards":{"hidden":3})"), std::string::npos) << text;
    EXPECT_EQ(text.find("17"), std::string::npos) << text;
    const auto d = net::decode_server(text);
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(std::get<game::LaidOut>(std::get<net::StepEvents>(*d.message).events[0]).cards.size(), 3);
}

// Every example in docs/protocol.md is a message the decoders take (an event
// alone as the one event of a step), and reads back to the same text.
TEST(Protocol, TheReferencesExamplesAreMessages) {
    std::ifstream in(TAV_SOURCE_DIR "/docs/protocol.md");
    ASSERT_TRUE(in) << "docs/protocol.md";
    int examples = 0;
    bool in_json = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("```", 0) == 0) {
            in_json = line == "```json";
            continue;
        }
        if (!in_json) continue;
        SCOPED_TRACE(line);
        ++examples;
        if (line.find(R"("kind")") != std::string::npos && line.find(R"("type")") == std::string::npos)
            line = R"({"type":"events","version":1,"events":[)" + line + "]}";
        const auto client = net::decode_client(line);
        const auto server = net::decode_server(line);
        ASSERT_NE(client.ok(), server.ok()) << client.error.message << " | " << server.error.message;
        EXPECT_EQ(client.ok() ? net::encode(*client.message) : net::encode(*server.message), line);
    }
    EXPECT_GE(examples, 20);
}

}  // namespace
}  // namespace tav
