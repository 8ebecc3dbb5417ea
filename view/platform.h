// What only a desktop can do for the game: ask a question, show a box, pause
// while the table stays painted, print. The Qt shell implements it; tests and
// the simulator use ScriptedPlatform.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace tav {

class Platform {
public:
    virtual ~Platform() = default;
    // A yes/no question box; true for Yes.
    virtual bool ask_yes_no(const std::string& title, const std::string& text) = 0;
    // An information box.
    virtual void message(const std::string& title, const std::string& text) = 0;
    // Pause for `seconds`, drawing the table but taking no input.
    virtual void wait(double seconds) = 0;
    // Print the table as it stands.
    virtual void print() = 0;
    // Close the program.
    virtual void close() = 0;
};

// Answers questions from a script (Yes when the script is empty), records
// every box, never waits.
class ScriptedPlatform : public Platform {
public:
    bool ask_yes_no(const std::string& title, const std::string& text) override {
        questions.push_back(title + "|" + text);
        if (answers.empty()) return true;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void message(const std::string& title, const std::string& text) override { messages.push_back(title + "|" + text); }
    void wait(double seconds) override {
        ++waits;
        waited += seconds;
    }
    void print() override { ++prints; }
    void close() override { closed = true; }

    std::deque<bool> answers;
    std::vector<std::string> questions, messages;
    int waits = 0, prints = 0;
    double waited = 0;
    bool closed = false;
};

}  // namespace tav
