#pragma once
// Where velmar-cli's words go: messages on standard error, results on
// standard output, and a progress bar on standard error when it is a
// terminal. With several ports every line about one port begins with the
// port's name.
#include <map>
#include <string>

namespace velmar::cli {

class Console {
public:
    // `quiet` silences the progress bar and the notes.
    explicit Console(bool quiet = false);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Lines about a port carry its name once there is more than one.
    void SetPortCount(int count) { portCount_ = count; }

    // An error, a warning or the radio's answer (standard error); `port`
    // empty for what concerns no port.
    void Message(const std::string& port, const std::string& text);
    // What the user may like to know (standard error), unless quiet.
    void Note(const std::string& port, const std::string& text);
    // A result (standard output).
    void Result(const std::string& port, const std::string& text);

    // The progress of `port` in percent, under the title of what it does.
    void Progress(const std::string& port, const std::string& title, int percent);
    // The port has stopped: its bar goes.
    void EndProgress(const std::string& port);

    // A question on the terminal: the bar steps aside until Answered.
    void Ask(const std::string& port, const std::string& question);
    void Answered();

private:
    struct Bar {
        std::string Title;
        int Percent = -1;
    };

    std::string Line(const std::string& port, const std::string& text) const;
    void ClearBar();
    void DrawBar();

    bool quiet_ = false;
    bool stderrTty_ = false;
    int portCount_ = 1;
    bool barShown_ = false;
    bool asking_ = false;
    std::map<std::string, Bar> bars_; // by port
};

} // namespace velmar::cli
