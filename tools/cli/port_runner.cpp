#include "port_runner.h"

#include "cli_environment.h"
#include "cli_texts.h"
#include "console.h"
#include "link/ui/password_ansi.h"
#include "terminal_questions.h"

#include <QEventLoop>
#include <memory>
#include <vector>

namespace velmar::cli {

namespace {

// Asks `question` once for all ports: --yes answers it, else the terminal.
bool Confirmed(CliEnvironment& env, const Request& request, TerminalQuestions* terminal,
               int questionId) {
    const std::string question = env.Text(questionId);
    if (request.Yes) {
        env.Out.Note({}, question + " " + env.Text(kTextOk));
        return true;
    }
    if (!terminal)
        return false;
    QEventLoop wait;
    bool yes = false;
    terminal->AskYesNo({}, question, [&](bool answer) {
        yes = answer;
        wait.quit();
    });
    wait.exec();
    return yes;
}

} // namespace

bool CannotAsk(const Request& request) {
    return !request.Yes && !TerminalQuestions::Available();
}

ExitCode RunOnEveryPort(CliEnvironment& env, const Request& request, int questionId,
                        const PortJob& job) {
    env.Out.SetPortCount(static_cast<int>(request.Ports.size()));
    std::unique_ptr<TerminalQuestions> terminal;
    if (TerminalQuestions::Available())
        terminal = std::make_unique<TerminalQuestions>(env.Out);

    AnswerPolicy policy;
    policy.Yes = request.Yes;
    policy.Retries = request.Retries;
    policy.Terminal = terminal.get();
    if (request.Password)
        policy.Password = PasswordToAnsi(*request.Password, env.AnsiIsGbk);

    ComPortMap ports(DefaultComPortMapPath());
    ExitCode worst = ExitCode::Done;
    const auto failed = [&](const std::string& port, ExitCode code) {
        worst = Worse(worst, code);
        env.Out.Result(port, env.Text(kTextFailed));
    };

    std::vector<std::unique_ptr<PortSession>> sessions;
    for (const std::string& port : request.Ports) {
        auto session = std::make_unique<PortSession>(port, ports, env, policy);
        if (session->Open())
            sessions.push_back(std::move(session));
        else
            failed(port, ExitCode::LinkFailed);
    }
    if (sessions.empty())
        return worst;
    if (questionId != 0 && !Confirmed(env, request, terminal.get(), questionId)) {
        env.Out.Message({}, env.Text(kTextDeclined));
        return Worse(worst, ExitCode::LinkFailed);
    }

    QEventLoop running;
    std::size_t left = sessions.size();
    for (const auto& session : sessions) {
        PortSession* s = session.get();
        job(*s, [&, s](ExitCode code) {
            if (code == ExitCode::LinkFailed || code == ExitCode::FileFailed)
                failed(s->Port(), code);
            else
                worst = Worse(worst, code);
            if (--left == 0)
                running.quit();
        });
    }
    if (left > 0)
        running.exec();
    return worst;
}

} // namespace velmar::cli
