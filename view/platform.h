// What only a desktop can do for the game: ask a question, show a box, run
// something after a delay while the table stays painted, print. The Qt shell
// implements it; tests and the simulator use ScriptedPlatform.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tav {

class Platform {
public:
    virtual ~Platform() = default;
    // A yes/no question box that waits for its answer; true for Yes.
    virtual bool ask_yes_no(const std::string& title, const std::string& text) = 0;
    // The same question without waiting: `then` gets the answer once it is
    // given (never, if the window goes first).
    virtual void ask_yes_no_then(const std::string& title, const std::string& text, std::function<void(bool)> then) = 0;
    // An information box.
    virtual void message(const std::string& title, const std::string& text) = 0;
    // Runs `then` from the event loop `seconds` from now; the table goes on
    // being drawn meanwhile.
    virtual void after(double seconds, std::function<void()> then) = 0;
    // Print the table as it stands.
    virtual void print() = 0;
    // Close the program.
    virtual void close() = 0;
};

// Answers questions from a script (Yes when the script is empty), records
// every box. Delays are only recorded: a test runs them when it chooses
// (`run_delay`), so it sees the table as it stands during the pause. With
// `hold_questions` a question waits in `held` until the test answers it.
class ScriptedPlatform : public Platform {
public:
    bool ask_yes_no(const std::string& title, const std::string& text) override {
        questions.push_back(title + "|" + text);
        return next_answer();
    }
    void ask_yes_no_then(const std::string& title, const std::string& text, std::function<void(bool)> then) override {
        questions.push_back(title + "|" + text);
        if (hold_questions)
            held.push_back(std::move(then));
        else
            then(next_answer());
    }
    void message(const std::string& title, const std::string& text) override { messages.push_back(title + "|" + text); }
    void after(double seconds, std::function<void()> then) override {
        ++waits;
        waited += seconds;
        delays.push_back(std::move(then));
    }
    void print() override { ++prints; }
    void close() override { closed = true; }

    // Runs the oldest delay that is due; false when none is.
    bool run_delay() {
        if (delays.empty()) return false;
        std::function<void()> then = std::move(delays.front());
        delays.pop_front();
        then();
        return true;
    }
    // Answers the oldest held question; false when none is held.
    bool answer(bool yes) {
        if (held.empty()) return false;
        std::function<void(bool)> then = std::move(held.front());
        held.pop_front();
        then(yes);
        return true;
    }

    std::deque<bool> answers;
    bool hold_questions = false;
    std::deque<std::function<void()>> delays;
    std::deque<std::function<void(bool)>> held;
    std::vector<std::string> questions, messages;
    int waits = 0, prints = 0;
    double waited = 0;
    bool closed = false;

private:
    bool next_answer() {
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace tav
