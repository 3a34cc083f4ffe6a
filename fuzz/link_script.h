#pragma once
// Plays a link exchange against the simulated radio, with the fuzz input as
// the line and the user: it decides which of the radio's pieces arrive, split,
// damaged or not at all, what stray bytes come, when the reply timer runs out
// and what the user answers. It checks what every exchange must keep to: each
// action list is well-formed, nothing happens after Finished, no command goes
// out over and over without the user being asked, and an exchange left with a
// silent radio and a user who cancels ends within a few events.
#include <fuzzer/FuzzedDataProvider.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "fuzz_support.h"
#include "link/link_actions.h"
#include "link/radio_sim.h"

namespace velmar::fuzz {

template <class Exchange> class LinkScript {
public:
    // Sees every frame the exchange sends, before the radio does.
    using FrameCheck = std::function<void(const Bytes&)>;

    // `maxRepeats`: how often one frame may go out in a row without a question
    // to the user in between.
    LinkScript(Exchange& exchange, RadioSim& radio, FrameCheck checkFrame, int maxRepeats)
        : exchange_(exchange), radio_(radio), checkFrame_(std::move(checkFrame)),
          maxRepeats_(maxRepeats) {}

    // Starts the exchange and plays events until the input is used up or the
    // exchange has finished.
    void Play(FuzzedDataProvider& in) {
        Carry(exchange_.Start());
        for (int events = 0; events < kEventLimit && !result_ && in.remaining_bytes() > 0; ++events)
            Carry(NextEvent(in));
    }

    // Then the radio falls silent and the user cancels every question: the
    // exchange must finish within `limit` events and stay quiet after that.
    void Drain(int limit) {
        for (int events = 0; events < limit && !result_; ++events) {
            line_.clear();
            if (question_)
                Carry(Answer(MsgAnswer::Cancel));
            else if (passwordDialog_)
                Carry(CancelPassword());
            else if (timerRunning_)
                Carry(Timeout());
            else
                FUZZ_CHECK(!"the exchange waits for nothing");
        }
        FUZZ_CHECK(result_.has_value());
        const Bytes stray = {0x06};
        FUZZ_CHECK(exchange_.OnBytes(stray).empty());
        FUZZ_CHECK(exchange_.OnTimeout().empty());
        FUZZ_CHECK(Answer(MsgAnswer::Ok).empty());
        FUZZ_CHECK(CancelPassword().empty());
    }

    bool Succeeded() const { return result_.value_or(false); }
    // Bytes the radio did not send reached the exchange.
    bool Tampered() const { return tampered_; }

private:
    static constexpr int kEventLimit = 5000;
    static constexpr bool kAsks = requires(Exchange & e) { e.OnAnswer(MsgAnswer::Ok); };

    enum Op { Deliver, Split, Damage, Drop, Stray, Timeout_, Reply, StrayEvent, OpCount };

    LinkActions NextEvent(FuzzedDataProvider& in) {
        const auto op = static_cast<Op>(in.ConsumeIntegralInRange<int>(0, OpCount - 1));
        if (op == StrayEvent)
            return AnyEvent(in);
        if (op == Stray) {
            tampered_ = true;
            const std::string bytes = in.ConsumeRandomLengthString(32);
            return exchange_.OnBytes(
                std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        }
        if (op == Reply && (question_ || passwordDialog_))
            return UserReply(in);
        if (line_.empty() || op == Timeout_)
            return timerRunning_ ? Timeout() : UserReply(in);

        Bytes piece = std::move(line_.front());
        line_.pop_front();
        if (op == Drop)
            return {};
        if (op == Split && piece.size() > 1) {
            const auto at = in.ConsumeIntegralInRange<std::size_t>(1, piece.size() - 1);
            line_.emplace_front(piece.begin() + static_cast<std::ptrdiff_t>(at), piece.end());
            piece.resize(at);
        } else if (op == Damage && !piece.empty()) {
            tampered_ = true;
            piece[in.ConsumeIntegralInRange<std::size_t>(0, piece.size() - 1)] ^=
                in.ConsumeIntegralInRange<std::uint8_t>(1, 255);
        }
        return exchange_.OnBytes(piece);
    }

    // What the user does about the open question or password dialog.
    LinkActions UserReply(FuzzedDataProvider& in) {
        if (passwordDialog_) {
            if (in.ConsumeBool())
                return CancelPassword();
            return EnterPassword(in.ConsumeRandomLengthString(6));
        }
        if (question_)
            return Answer(static_cast<MsgAnswer>(in.ConsumeIntegralInRange<int>(0, 4)));
        return {};
    }

    // Any event, whether the exchange waits for it or not.
    LinkActions AnyEvent(FuzzedDataProvider& in) {
        switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return exchange_.OnTimeout();
        case 1:
            return Answer(static_cast<MsgAnswer>(in.ConsumeIntegralInRange<int>(0, 4)));
        case 2:
            return EnterPassword(in.ConsumeRandomLengthString(6));
        default:
            return CancelPassword();
        }
    }

    LinkActions Timeout() {
        timerRunning_ = false;
        return exchange_.OnTimeout();
    }

    LinkActions Answer(MsgAnswer answer) {
        if constexpr (kAsks) {
            question_ = false;
            repeats_ = 0;
            return exchange_.OnAnswer(answer);
        }
        return {};
    }

    LinkActions EnterPassword(const std::string& typed) {
        if constexpr (kAsks) {
            passwordDialog_ = false;
            repeats_ = 0;
            return exchange_.OnPasswordEntered(typed);
        }
        return {};
    }

    LinkActions CancelPassword() {
        if constexpr (kAsks) {
            passwordDialog_ = false;
            repeats_ = 0;
            return exchange_.OnPasswordCancelled();
        }
        return {};
    }

    void Carry(const LinkActions& actions) {
        if (result_)
            FUZZ_CHECK(actions.empty()); // nothing happens after the end
        for (std::size_t i = 0; i < actions.size(); ++i) {
            const bool last = i + 1 == actions.size();
            std::visit([&](const auto& action) { Carry(action, last); }, actions[i]);
        }
    }

    void Carry(const SendBytes& send, bool) {
        FUZZ_CHECK(!result_ && !question_ && !passwordDialog_);
        checkFrame_(send.Data);
        repeats_ = send.Data == lastFrame_ ? repeats_ + 1 : 1;
        lastFrame_ = send.Data;
        FUZZ_CHECK(repeats_ <= maxRepeats_);
        line_.clear(); // both port buffers are emptied before sending
        for (Bytes& piece : radio_.Receive(send.Data))
            line_.push_back(std::move(piece));
    }
    void Carry(const StartReplyTimer& start, bool) {
        FUZZ_CHECK(!result_ && start.Milliseconds > 0);
        timerRunning_ = true;
    }
    void Carry(const StopReplyTimer&, bool) { timerRunning_ = false; }
    void Carry(const ShowMessage& message, bool last) {
        FUZZ_CHECK(message.TextId != 0 || !message.Literal.empty());
        if (message.Buttons != MsgButtons::Ok) {
            FUZZ_CHECK(last && !result_); // the exchange waits for the answer
            question_ = true;
        }
    }
    void Carry(const ShowProgress& progress, bool) {
        FUZZ_CHECK(!result_ && progress.Percent >= 0 && progress.Percent <= 100);
    }
    void Carry(const OpenPasswordDialog& dialog, bool last) {
        FUZZ_CHECK(last && !result_ && dialog.Current.size() <= 4);
        passwordDialog_ = true;
    }
    void Carry(const Finished& finished, bool) {
        FUZZ_CHECK(!result_ && !question_ && !passwordDialog_);
        timerRunning_ = false;
        result_ = finished.Success;
    }

    Exchange& exchange_;
    RadioSim& radio_;
    FrameCheck checkFrame_;
    const int maxRepeats_;

    std::deque<Bytes> line_; // the radio's pieces not yet delivered
    bool timerRunning_ = false;
    bool question_ = false;
    bool passwordDialog_ = false;
    bool tampered_ = false;
    Bytes lastFrame_;
    int repeats_ = 0;
    std::optional<bool> result_;
};

} // namespace velmar::fuzz
