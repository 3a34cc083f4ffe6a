#pragma once
// One port of a command: its own serial link, its own cable-echo assumption
// and password (LinkGlobals), its own image, and the exchanges run on it one
// after the other. The questions an exchange asks are answered as the
// command line says: --yes, --password and --retry, else on the terminal.
#include "link/link_globals.h"
#include "link/radio_exchange.h"
#include "link/radio_image.h"
#include "link/ui/com_port_map.h"
#include "link/ui/serial_link.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace velmar::cli {

class CliEnvironment;
class TerminalQuestions;

// How the questions of an exchange are answered.
struct AnswerPolicy {
    bool Yes = false;                      // OK to every question
    std::optional<std::string> Password;   // ANSI bytes
    int Retries = 0;                       // OK to the no-reply prompt this often
    TerminalQuestions* Terminal = nullptr; // else asked here; none: Cancel
};

class PortSession : public QObject {
    Q_OBJECT
public:
    PortSession(std::string port, ComPortMap& ports, CliEnvironment& env, AnswerPolicy policy);
    ~PortSession() override;

    const std::string& Port() const { return port_; }

    // Opens the port: "COM" + n through the port map, anything else as a
    // device path. On failure says why (text 9003 and the advice).
    bool Open();

    // Runs one exchange on the port (opened again when closed) for a document
    // of `modelName` and `bandText`; `done` gets whether it succeeded, once
    // the port is closed. A read fills Image(), radio information
    // InfoBlock(); a write sends Image().
    // `asItIs`: a write sends Image() byte for byte (a restore).
    void Run(LinkType type, const std::string& modelName, const std::string& bandText,
             std::function<void(bool)> done, bool asItIs = false);

    RadioImage& Image() { return image_; }
    RadioInfoBlock& InfoBlock() { return infoBlock_; }
    // What the last exchange said when it succeeded (text 9009 after a read).
    const std::string& SuccessText() const { return successText_; }
    // The model the radio told when it was last identified, and its reply.
    const std::string& RadioModel() const { return radioModel_; }
    const Bytes& IdentifyReply() const { return identifyReply_; }

private:
    void Show(const ShowMessage& message);
    void Answer(MsgAnswer answer);
    void AskPassword();
    void Finished(bool success);
    void FlushHeldMessage();

    const std::string port_;
    CliEnvironment& env_;
    AnswerPolicy policy_;
    LinkGlobals link_;
    SerialLink serial_;
    RadioImage image_;
    RadioInfoBlock infoBlock_;
    std::unique_ptr<RadioExchange> exchange_;
    std::function<void(bool)> done_;
    std::string progressTitle_;
    std::string heldMessage_; // the last message, shown unless the exchange then succeeds
    std::string successText_;
    std::string radioModel_;
    Bytes identifyReply_;
    int retriesLeft_ = 0;
};

} // namespace velmar::cli
