#pragma once
// What the window tests share: a throw-away copy of the shipped data laid out
// as an installation, a context over it, and scripted answers for message
// boxes and file dialogs.
#include "shell/file_locations.h"
#include "shell/message_sink.h"
#include "shell/ui/app_context.h"
#include "shell/ui/file_chooser.h"
#include "shell/version_table.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmar::test {

// Program folder <tmp>/bin with language/, Init/, PIC/ and demo/; Version.ini and
// language/mysetup.ini in <tmp>. The per-user settings store lives in <tmp>
// too, so no test touches the user's own.
class TestInstall {
public:
    TestInstall() {
        namespace fs = std::filesystem;
        const fs::path data = fs::path(VELMAR_SOURCE_DIR) / "data";
        const fs::path root = Root();
        fs::create_directories(root / "bin");
        for (const char* folder : {"language", "Init", "PIC", "demo"})
            fs::copy(data / folder, root / "bin" / folder, fs::copy_options::recursive);
        fs::remove(root / "bin/language/mysetup.ini");
        fs::create_directories(root / "language");
        fs::copy(data / "language/mysetup.ini", root / "language/mysetup.ini");
        fs::copy(data / "Version.ini", root / "Version.ini");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path() + "/settings");
    }

    std::filesystem::path Root() const { return dir_.path().toStdString(); }
    std::string Path(const std::string& relative) const { return (Root() / relative).string(); }
    FileLocations Locations() const { return {Path("bin"), Root().string(), ""}; }

private:
    QTemporaryDir dir_;
};

// Answers every box with OK unless `Answer` says otherwise; keeps the texts.
class AnsweringSink : public MessageSink {
public:
    std::vector<std::string> Shown;
    std::function<MsgAnswer(const std::string&)> Answer;

    MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon) override {
        Shown.push_back(text);
        return Answer ? Answer(text) : MsgAnswer::Ok;
    }
    int Count(const std::string& text) const {
        return static_cast<int>(std::count(Shown.begin(), Shown.end(), text));
    }
};

// Answers message boxes from a script and keeps what they said.
class ScriptedSink : public MessageSink {
public:
    std::deque<MsgAnswer> Answers;
    std::vector<std::string> Shown;
    bool RanOut = false; // a box came that the script has no answer for

    MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon) override {
        Shown.push_back(text);
        if (Answers.empty()) {
            RanOut = true;
            return MsgAnswer::Cancel;
        }
        const MsgAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

// Answers the file dialogs with a fixed name, or cancels them.
class ScriptedChooser : public FileChooser {
public:
    std::optional<QString> Name;
    int Asked = 0;
    QString Proposed; // the name the save dialog was opened with

    std::optional<QString> ChooseFileToOpen(QWidget*, const QString&) override {
        ++Asked;
        return Name;
    }
    std::optional<QString> ChooseFileToSave(QWidget*, const QString&,
                                            const QString& proposedName) override {
        ++Asked;
        Proposed = proposedName;
        return Name;
    }
};

// A context over the install in the given language, its messages going to
// `sink`.
inline std::unique_ptr<AppContext> MakeContext(const TestInstall& install, MessageSink& sink,
                                               std::int16_t language = EnglishLanguage,
                                               bool isMainVersion = false) {
    auto app = std::make_unique<AppContext>(install.Locations());
    app->Settings.CurrentLanguage = language;
    app->Settings.PreviousLanguage = language;
    app->Settings.LanguageFile = language == ChineseLanguage ? "chinese.ini" : "english.ini";
    app->Settings.IsMainVersion = isMainVersion;
    app->Versions = *LoadVersionTable(install.Path("Version.ini")).Table;
    app->SetMessageSink(&sink);
    return app;
}

// Lets closed windows go away.
inline void FlushDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace velmar::test
