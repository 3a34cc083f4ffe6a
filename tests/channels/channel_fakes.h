#pragma once
// Stand-ins for the program around the channel core: a message sink that
// records every message, text ids that read back as "#id", and the default
// band "25.615 - 30.105 MHz".
#include <string>
#include <vector>

#include "channels/frequency_codec.h"
#include "shell/message_sink.h"
#include "shell/text_lookup.h"

namespace velmar {

struct Shown {
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
};

class RecordingSink : public MessageSink {
public:
    MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon icon) override {
        shown.push_back({text, buttons, icon});
        return MsgAnswer::Ok;
    }
    std::vector<Shown> shown;
};

class IdTexts : public TextLookup {
public:
    std::string GetText(int id) const override { return "#" + std::to_string(id); }
};

// The frequency context of the default band with a recording sink.
struct FreFixture {
    RecordingSink sink;
    IdTexts texts;
    FreContext fre{25.615, 30.105, sink, texts};

    bool WarnedOutOfBand() const {
        return !sink.shown.empty() && sink.shown.back().text == "#9021" &&
               sink.shown.back().icon == MsgIcon::Warning;
    }
};

} // namespace velmar
