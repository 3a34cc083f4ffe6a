#pragma once
// Runs a link exchange against the simulated radio in-process, with no real
// time: bytes on the line are delivered first, the reply timer runs out only
// when nothing more is coming, and scripted answers reply to the questions.
#include "link/link_actions.h"
#include "link/radio_sim.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace velmar {

struct LinkLoop {
    explicit LinkLoop(RadioSim& radio) : sim(&radio) {}

    RadioSim* sim;
    std::deque<MsgAnswer> answers;                    // to boxes with a question
    std::deque<std::optional<std::string>> passwords; // typed text; nullopt: Cancel

    // What the exchange did.
    std::vector<Bytes> sent;
    std::vector<std::size_t> thresholds;
    std::vector<ShowMessage> messages;
    std::vector<int> progress;
    int timeouts = 0;
    int passwordDialogs = 0;
    std::optional<bool> result;

    template <class Exchange> void Run(Exchange& exchange, LinkActions actions) {
        for (int step = 0; step < 100000; ++step) {
            for (LinkAction& action : actions)
                Carry(action);
            if (result)
                return;
            if (question_) {
                question_ = false;
                if constexpr (requires { exchange.OnAnswer(MsgAnswer::Ok); }) {
                    if (answers.empty())
                        break;
                    actions = exchange.OnAnswer(answers.front());
                    answers.pop_front();
                    continue;
                }
            }
            if (passwordDialog_) {
                passwordDialog_ = false;
                if constexpr (requires { exchange.OnPasswordCancelled(); }) {
                    if (passwords.empty())
                        break;
                    const auto typed = passwords.front();
                    passwords.pop_front();
                    actions =
                        typed ? exchange.OnPasswordEntered(*typed) : exchange.OnPasswordCancelled();
                    continue;
                }
            }
            if (!line_.empty()) {
                const Bytes piece = line_.front();
                line_.pop_front();
                actions = exchange.OnBytes(piece);
            } else if (timerRunning_) {
                timerRunning_ = false;
                ++timeouts;
                actions = exchange.OnTimeout();
            } else {
                break;
            }
        }
        ADD_FAILURE() << "the exchange stalled without finishing";
    }

    std::vector<int> MessageIds() const {
        std::vector<int> ids;
        for (const ShowMessage& m : messages)
            ids.push_back(m.TextId);
        return ids;
    }

    std::size_t CountSent(const Bytes& frame) const {
        return static_cast<std::size_t>(std::count(sent.begin(), sent.end(), frame));
    }

private:
    void Carry(LinkAction& action) {
        std::visit(
            [this](auto& a) {
                using A = std::decay_t<decltype(a)>;
                if constexpr (std::is_same_v<A, SendBytes>) {
                    line_.clear(); // both port buffers are emptied before sending
                    sent.push_back(a.Data);
                    thresholds.push_back(a.Threshold);
                    for (Bytes& piece : sim->Receive(a.Data))
                        line_.push_back(std::move(piece));
                } else if constexpr (std::is_same_v<A, StartReplyTimer>) {
                    timerRunning_ = true;
                } else if constexpr (std::is_same_v<A, StopReplyTimer>) {
                    timerRunning_ = false;
                } else if constexpr (std::is_same_v<A, ShowMessage>) {
                    messages.push_back(a);
                    question_ = a.Buttons != MsgButtons::Ok;
                } else if constexpr (std::is_same_v<A, ShowProgress>) {
                    progress.push_back(a.Percent);
                } else if constexpr (std::is_same_v<A, OpenPasswordDialog>) {
                    ++passwordDialogs;
                    passwordDialog_ = true;
                } else if constexpr (std::is_same_v<A, Finished>) {
                    result = a.Success;
                }
            },
            action);
    }

    std::deque<Bytes> line_;
    bool timerRunning_ = false;
    bool question_ = false;
    bool passwordDialog_ = false;
};

} // namespace velmar
