// The shipped udev rule for the programming cables: every line is a rule
// udev can read, its jumps land, and FTDI adapters get the short latency
// timer. `udevadm verify` checks it as well where the installed udev has it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string RulesFile = VELMAR_SOURCE_DIR "/data/udev/60-velmar-cables.rules";

struct Token {
    std::string key;
    std::string attribute; // what the braces hold, if any
    std::string op;
    std::string value;
};

struct Rule {
    int line;
    std::vector<Token> tokens;
};

// What udev accepts of a key: whether it matches, assigns, and takes braces.
struct KeyKind {
    bool match;
    bool assign;
    bool braces; // takes {…}: required then, refused otherwise
};

const std::map<std::string, KeyKind>& Keys() {
    static const std::map<std::string, KeyKind> keys = {
        {"ACTION", {true, false, false}},    {"DEVPATH", {true, false, false}},
        {"KERNEL", {true, false, false}},    {"KERNELS", {true, false, false}},
        {"SUBSYSTEM", {true, false, false}}, {"SUBSYSTEMS", {true, false, false}},
        {"DRIVER", {true, false, false}},    {"DRIVERS", {true, false, false}},
        {"ATTR", {true, true, true}},        {"ATTRS", {true, false, true}},
        {"ENV", {true, true, true}},         {"TAG", {true, true, false}},
        {"TAGS", {true, false, false}},      {"NAME", {true, true, false}},
        {"SYMLINK", {true, true, false}},    {"PROGRAM", {true, false, false}},
        {"RESULT", {true, false, false}},    {"OWNER", {false, true, false}},
        {"GROUP", {false, true, false}},     {"MODE", {false, true, false}},
        {"RUN", {false, true, false}},       {"LABEL", {false, true, false}},
        {"GOTO", {false, true, false}},      {"OPTIONS", {false, true, false}},
    };
    return keys;
}

// The rules of the file, one a line; a line that is not a rule fails the test.
std::vector<Rule> ParseRules(const std::string& path) {
    std::ifstream file(path);
    EXPECT_TRUE(file) << path;
    static const std::regex token(
        R"re(([A-Z]+)(?:\{([^{}"]+)\})?(==|!=|\+=|-=|:=|=)"((?:[^"\\]|\\.)*)"\s*(,\s*|$))re");
    std::vector<Rule> rules;
    std::string text;
    for (int line = 1; std::getline(file, text); ++line) {
        const auto first = text.find_first_not_of(" \t");
        if (first == std::string::npos || text[first] == '#')
            continue;
        Rule rule{line, {}};
        auto at = text.cbegin() + static_cast<std::ptrdiff_t>(first);
        std::smatch m;
        while (at != text.cend()) {
            if (!std::regex_search(at, text.cend(), m, token,
                                   std::regex_constants::match_continuous)) {
                ADD_FAILURE() << "line " << line << ": cannot read \""
                              << std::string(at, text.cend()) << '"';
                break;
            }
            rule.tokens.push_back({m[1], m[2], m[3], m[4]});
            at = m[0].second;
            if (m[5].length() > 0 && at == text.cend())
                ADD_FAILURE() << "line " << line << ": ends with a comma";
        }
        rules.push_back(rule);
    }
    return rules;
}

TEST(CableRules, EveryLineIsARuleUdevReads) {
    const std::vector<Rule> rules = ParseRules(RulesFile);
    ASSERT_FALSE(rules.empty());
    std::set<std::string> labelsAhead;
    for (const Rule& rule : rules)
        for (const Token& t : rule.tokens)
            if (t.key == "LABEL")
                labelsAhead.insert(t.value);
    for (const Rule& rule : rules) {
        EXPECT_FALSE(rule.tokens.empty()) << "line " << rule.line;
        for (const Token& t : rule.tokens) {
            const std::string where = "line " + std::to_string(rule.line) + ", " + t.key;
            const auto kind = Keys().find(t.key);
            ASSERT_NE(kind, Keys().end()) << where << ": unknown key";
            const bool matches = t.op == "==" || t.op == "!=";
            EXPECT_TRUE(matches ? kind->second.match : kind->second.assign)
                << where << ": " << t.op << " is not allowed";
            EXPECT_EQ(!t.attribute.empty(), kind->second.braces) << where << ": braces";
            if (t.key == "LABEL" || t.key == "GOTO") {
                EXPECT_EQ(t.op, "=") << where;
            }
            if (t.key == "GOTO") {
                EXPECT_TRUE(labelsAhead.contains(t.value)) << where << ": no label " << t.value;
            }
            if (t.key == "LABEL")
                labelsAhead.erase(t.value); // udev jumps forward only
        }
    }
}

TEST(CableRules, FtdiAdaptersGetTheShortLatencyTimer) {
    bool found = false;
    for (const Rule& rule : ParseRules(RulesFile)) {
        bool ftdi = false, timer = false;
        for (const Token& t : rule.tokens) {
            ftdi |= t.key == "DRIVERS" && t.op == "==" && t.value == "ftdi_sio";
            timer |= t.key == "ATTR" && t.attribute == "device/latency_timer" && t.op == "=" &&
                     t.value == "1";
        }
        found |= ftdi && timer;
    }
    EXPECT_TRUE(found);
}

TEST(CableRules, UdevadmVerifiesThemWhereItCan) {
    if (std::system("udevadm verify --help >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "the installed udev has no \"udevadm verify\"";
    EXPECT_EQ(std::system(("udevadm verify " + RulesFile + " >/dev/null").c_str()), 0);
}

} // namespace
