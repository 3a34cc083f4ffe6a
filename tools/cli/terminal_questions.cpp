#include "terminal_questions.h"

#include "console.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace velmar::cli {

bool TerminalQuestions::Available() {
    return ::isatty(STDIN_FILENO) == 1 && ::isatty(STDERR_FILENO) == 1;
}

TerminalQuestions::TerminalQuestions(Console& console, QObject* parent)
    : QObject(parent), console_(console) {}

TerminalQuestions::~TerminalQuestions() {
    SetEcho(true);
}

void TerminalQuestions::AskYesNo(const std::string& port, const std::string& question,
                                 std::function<void(bool)> answer) {
    Enqueue({port, question + " [y/N] ", false,
             [answer = std::move(answer)](std::optional<std::string> line) {
                 const std::size_t first =
                     line ? line->find_first_not_of(" \t") : std::string::npos;
                 const char c = first == std::string::npos ? 'n' : (*line)[first];
                 answer(c == 'y' || c == 'Y' || c == 'o' || c == 'O');
             }});
}

void TerminalQuestions::AskPassword(const std::string& port, const std::string& prompt,
                                    std::function<void(std::optional<std::string>)> answer) {
    Enqueue({port, prompt + " ", true, std::move(answer)});
}

void TerminalQuestions::Enqueue(Question question) {
    waiting_.push_back(std::move(question));
    if (!asking_)
        AskNext();
}

void TerminalQuestions::AskNext() {
    if (waiting_.empty())
        return;
    asking_ = true;
    const Question& question = waiting_.front();
    console_.Ask(question.Port, question.Text);
    if (inputEnded_) {
        Finish(std::nullopt);
        return;
    }
    if (question.Secret)
        SetEcho(false);
    if (TakeLine())
        return; // typed ahead
    if (!input_) {
        input_ = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        connect(input_.get(), &QSocketNotifier::activated, this, &TerminalQuestions::InputReady);
    }
    input_->setEnabled(true);
}

void TerminalQuestions::InputReady() {
    char buffer[256];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        inputEnded_ = true;
        input_->setEnabled(false);
        Finish(std::nullopt);
        return;
    }
    typed_.append(buffer, static_cast<std::size_t>(n));
    TakeLine();
}

bool TerminalQuestions::TakeLine() {
    const std::size_t end = typed_.find('\n');
    if (end == std::string::npos)
        return false;
    std::string line = typed_.substr(0, end);
    typed_.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    Finish(std::move(line));
    return true;
}

void TerminalQuestions::Finish(std::optional<std::string> line) {
    if (waiting_.empty())
        return;
    Question question = std::move(waiting_.front());
    waiting_.pop_front();
    if (question.Secret || !line) {
        SetEcho(true);
        std::fputs("\n", stderr); // the typed line was not echoed
    }
    if (input_)
        input_->setEnabled(false);
    asking_ = false;
    console_.Answered();
    question.Answer(std::move(line));
    AskNext();
}

void TerminalQuestions::SetEcho(bool on) {
    if (on) {
        if (echoOff_)
            ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
        echoOff_ = false;
        return;
    }
    if (echoOff_ || ::tcgetattr(STDIN_FILENO, &saved_) != 0)
        return;
    termios quiet = saved_;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    if (::tcsetattr(STDIN_FILENO, TCSANOW, &quiet) == 0)
        echoOff_ = true;
}

} // namespace velmar::cli
