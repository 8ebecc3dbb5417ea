// The limits a connection is held to: a token bucket (an average rate with
// bursts) and a count of refusals within a sliding window. Both run on the
// caller's clock, like everything in the lobby.
#pragma once

#include <algorithm>
#include <deque>
#include <utility>

#include "net/news.h"

namespace tav::net {

class TokenBucket {
public:
    TokenBucket(double per_second, double burst) : rate_(per_second), burst_(burst), tokens_(burst) {}

    // Takes one token if there is one. A clock that goes back adds nothing.
    bool take(Time now) {
        if (!last_) {
            last_ = true;
            at_ = now;
        }
        if (now > at_) {
            const double seconds = std::chrono::duration<double>(now - at_).count();
            tokens_ = std::min(burst_, tokens_ + seconds * rate_);
            at_ = now;
        }
        if (tokens_ < 1) return false;
        tokens_ -= 1;
        return true;
    }

private:
    double rate_, burst_, tokens_;
    bool last_ = false;
    Time at_{};
};

class RefusalWindow {
public:
    RefusalWindow(int most, Time window) : most_(most), window_(window) {}

    // Counts one refusal; true when there have now been more than `most`
    // within the window.
    bool count(Time now) {
        times_.push_back(now);
        while (!times_.empty() && now - times_.front() >= window_) times_.pop_front();
        return std::cmp_greater(times_.size(), most_);
    }

private:
    int most_;
    Time window_;
    std::deque<Time> times_;  // at most most_ + 1 long: the connection closes past that
};

}  // namespace tav::net
