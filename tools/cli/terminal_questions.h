#pragma once
// Questions asked on the terminal while the exchanges go on: one at a time,
// in the order they come, the answer read from standard input through the
// event loop so that other ports keep their pace meanwhile.
#include <QObject>
#include <QSocketNotifier>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <termios.h>

namespace velmar::cli {

class Console;

class TerminalQuestions : public QObject {
    Q_OBJECT
public:
    // Standard input and standard error are both a terminal.
    static bool Available();

    explicit TerminalQuestions(Console& console, QObject* parent = nullptr);
    ~TerminalQuestions() override;

    // Yes when the answer begins with y or o (yes, OK); anything else, an
    // empty line or the end of input is no.
    void AskYesNo(const std::string& port, const std::string& question,
                  std::function<void(bool)> answer);
    // The line typed without echo; nothing at the end of input.
    void AskPassword(const std::string& port, const std::string& prompt,
                     std::function<void(std::optional<std::string>)> answer);

private:
    struct Question {
        std::string Port;
        std::string Text;
        bool Secret = false;
        std::function<void(std::optional<std::string>)> Answer;
    };

    void Enqueue(Question question);
    void AskNext();
    void InputReady();
    // Answers the question with a whole line typed so far; false when none.
    bool TakeLine();
    void Finish(std::optional<std::string> line);
    void SetEcho(bool on);

    Console& console_;
    std::unique_ptr<QSocketNotifier> input_;
    std::deque<Question> waiting_;
    bool asking_ = false;
    bool inputEnded_ = false;
    std::string typed_;
    bool echoOff_ = false;
    termios saved_{};
};

} // namespace velmar::cli
