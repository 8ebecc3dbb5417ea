// The journal on disk: what a commit keeps comes back in order after the
// file is opened again, what was never committed does not, a closed table's
// entries go, and a failure is reported, never thrown.
#include "server/journal.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "net/protocol.h"
#include "tests/net/net_support.h"

namespace tav::server {
namespace {

using net::JournalEntry;

// A fresh folder under the system's temporary one, removed afterwards.
struct Folder {
    std::filesystem::path path;
    Folder() {
        path =
            std::filesystem::temp_directory_path() / ("tav-journal-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path);
    }
    ~Folder() { std::filesystem::remove_all(path); }
};

std::vector<JournalEntry> entries(const std::string& code, std::uint64_t from, std::uint64_t to) {
    std::vector<JournalEntry> out;
    for (std::uint64_t i = from; i < to; ++i)
        out.push_back({code, i, R"({"k":"tick","v":)" + std::to_string(i) + "} 钟离 \"\\"});
    return out;
}

TEST(Journal, KeepsWhatWasCommittedAndOnlyThat) {
    struct Step {
        const char* what;
        std::vector<std::vector<JournalEntry>> appends;
        bool commit;
        std::vector<std::string> forget;
        std::vector<JournalEntry> after;  // what a journal opened again loads
    };
    auto join = [](std::initializer_list<std::vector<JournalEntry>> parts) {
        std::vector<JournalEntry> all;
        for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    const std::vector<Step> steps{
        {"two tables in one commit, appended out of order",
         {entries("BBBBBBBBBB", 0, 3), entries("AAAAAAAAAA", 0, 2), entries("BBBBBBBBBB", 3, 12)},
         true,
         {},
         join({entries("AAAAAAAAAA", 0, 2), entries("BBBBBBBBBB", 0, 12)})},
        {"appended, never committed: lost with the process",
         {entries("AAAAAAAAAA", 2, 5)},
         false,
         {},
         join({entries("AAAAAAAAAA", 0, 2), entries("BBBBBBBBBB", 0, 12)})},
        {"a closed table forgotten in the same commit as another's entries",
         {entries("AAAAAAAAAA", 2, 4)},
         true,
         {"BBBBBBBBBB"},
         entries("AAAAAAAAAA", 0, 4)},
        {"forgotten with no transaction open", {}, true, {"AAAAAAAAAA"}, {}},
    };
    Folder folder;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        {
            Journal journal(folder.path);
            ASSERT_TRUE(journal.ok()) << journal.error();
            for (const auto& a : step.appends) EXPECT_TRUE(journal.append(a)) << journal.error();
            for (const std::string& code : step.forget) EXPECT_TRUE(journal.forget(code)) << journal.error();
            if (step.commit) {
                EXPECT_TRUE(journal.commit()) << journal.error();
            }
        }
        Journal again(folder.path);
        const std::vector<JournalEntry> loaded = again.load();
        EXPECT_EQ(again.error(), "");
        ASSERT_EQ(loaded.size(), step.after.size());
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            EXPECT_EQ(loaded[i].table, step.after[i].table);
            EXPECT_EQ(loaded[i].sequence, step.after[i].sequence);
            EXPECT_EQ(loaded[i].text, step.after[i].text);
        }
    }
}

TEST(Journal, FailuresAreReportedAndLeaveNothingHalfKept) {
    Folder folder;
    {
        Journal journal(folder.path);
        ASSERT_TRUE(journal.append(entries("AAAAAAAAAA", 0, 2)));
        ASSERT_TRUE(journal.commit());
        // A new entry, then one already kept: the append fails whole, saying
        // which entry, and the transaction it was in stays usable.
        std::vector<JournalEntry> clash = entries("AAAAAAAAAA", 2, 3);
        clash.push_back(entries("AAAAAAAAAA", 1, 2).front());
        ASSERT_TRUE(journal.append(entries("CCCCCCCCCC", 0, 1)));
        EXPECT_FALSE(journal.append(clash));
        EXPECT_NE(journal.error().find("AAAAAAAAAA entry 1"), std::string::npos) << journal.error();
        EXPECT_TRUE(journal.commit()) << journal.error();
    }
    Journal again(folder.path);
    const std::vector<JournalEntry> kept = again.load();
    ASSERT_EQ(kept.size(), 3u);  // A 0, A 1, C 0: not A 2
    EXPECT_EQ(kept[2].table, "CCCCCCCCCC");

    // A file where the folder should be: no journal, and why.
    const std::filesystem::path blocked = folder.path / "blocked";
    std::ofstream(blocked) << "x";
    Journal nowhere(blocked);
    EXPECT_FALSE(nowhere.ok());
    EXPECT_NE(nowhere.error(), "");
    EXPECT_FALSE(nowhere.append(entries("AAAAAAAAAA", 0, 1)));
    EXPECT_FALSE(nowhere.commit());
    EXPECT_FALSE(nowhere.forget("AAAAAAAAAA"));
    EXPECT_TRUE(nowhere.load().empty());
    EXPECT_NE(nowhere.error(), "");
}

// The lobby's entries through the file: a table played, each call's entries
// committed as the server commits them, comes back from a journal opened
// again exactly where it was.
TEST(Journal, ALobbysTableComesBackThroughTheFile) {
    Folder folder;
    struct Kept : net::World {
        Journal file;
        std::size_t kept = 0;
        explicit Kept(const std::filesystem::path& dir) : World({}, 4), file(dir) {}
        void called() override {
            EXPECT_TRUE(file.append({journal.begin() + static_cast<long>(kept), journal.end()})) << file.error();
            EXPECT_TRUE(file.commit()) << file.error();
            kept = journal.size();
        }
    } w(folder.path);
    const auto [code, host] = w.open(net::Create{"主", {}, game::Level::classic, 0});
    w.send(host, net::Start{});
    w.play(code, 300);
    const net::Table& table = w.table(code);
    ASSERT_GT(table.version(), 50u);
    w.drop(host);
    net::Lobby again({}, [] { return std::uint64_t{0}; });
    const net::Lobby::Restored restored = again.restore(Journal(folder.path).load(), w.now);
    EXPECT_EQ(restored.error, "");
    EXPECT_TRUE(restored.journal.empty());  // nobody was left to drop
    ASSERT_TRUE(again.find(code));
    EXPECT_EQ(again.find(code)->version(), table.version());
    EXPECT_EQ(again.find(code)->holder(game::Seat::A).token, table.holder(game::Seat::A).token);
    EXPECT_EQ(again.find(code)->state().hands, table.state().hands);
}

// Figures for the report, never a timed test: run with
// --gtest_also_run_disabled_tests --gtest_filter=*Measure*.
TEST(Journal, DISABLED_MeasureCommits) {
    Folder folder;
    Journal journal(folder.path);
    ASSERT_TRUE(journal.ok());
    const std::string text(180, 'x');  // about a decision's entry
    for (const std::size_t group : {1, 10, 100, 1000}) {
        const auto begin = std::chrono::steady_clock::now();
        int commits = 0;
        std::uint64_t seq = 0;
        while (std::chrono::steady_clock::now() - begin < std::chrono::seconds(2)) {
            std::vector<JournalEntry> batch;
            for (std::size_t i = 0; i < group; ++i) batch.push_back({"M" + std::to_string(group), seq++, text});
            ASSERT_TRUE(journal.append(batch));
            ASSERT_TRUE(journal.commit());
            ++commits;
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        std::printf("%zu entries a commit: %.0f commits/s, %.0f entries/s\n", group, commits / seconds,
                    static_cast<double>(seq) / seconds);
    }
}

}  // namespace
}  // namespace tav::server
