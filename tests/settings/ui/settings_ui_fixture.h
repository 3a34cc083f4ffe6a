#pragma once
// What the settings window tests share: a fresh application context on the
// staged build tree with a new document's initial values, and a message sink
// that answers from a script and keeps what was shown.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "model/initial_values.h"
#include "shell/message_sink.h"
#include "shell/ui/app_context.h"

namespace velmar {

class ScriptedSink : public MessageSink {
public:
    MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon icon) override {
        shown.push_back({text, buttons, icon});
        if (answers.empty())
            return MsgAnswer::Ok;
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    struct Message {
        std::string text;
        MsgButtons buttons;
        MsgIcon icon;
    };
    std::deque<MsgAnswer> answers; // Ok once they run out
    std::vector<Message> shown;
};

struct AppOptions {
    bool chinese = false;
    bool mainVersion = true;
};

inline std::unique_ptr<AppContext> MakeApp(AppOptions options = {}) {
    auto app = std::make_unique<AppContext>(
        FileLocations{VELMAR_PROGRAM_DIR, VELMAR_BASE_DIR, std::string()});
    app->Settings.CurrentLanguage = options.chinese ? ChineseLanguage : EnglishLanguage;
    app->Settings.PreviousLanguage = app->Settings.CurrentLanguage;
    app->Settings.LanguageFile = options.chinese ? "chinese.ini" : "english.ini";
    app->Settings.IsMainVersion = options.mainVersion;
    InitDocValues(app->Doc, 1);
    return app;
}

} // namespace velmar
