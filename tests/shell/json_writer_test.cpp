#include "shell/json_writer.h"

#include <gtest/gtest.h>

#include "shell/json_check.h"

namespace velmar {
namespace {

using test::JsonReader;

TEST(JsonWriter, NestedValuesAreWellFormed) {
    JsonWriter w;
    w.BeginObject();
    w.Key("name");
    w.String("KAVRO");
    w.Key("list");
    w.BeginArray(true);
    w.Int(-1);
    w.Number(27.125);
    w.Number(1.0 / 0.0);
    w.EndArray();
    w.Key("empty");
    w.BeginObject();
    w.EndObject();
    w.Key("rows");
    w.BeginArray();
    w.Bool(true);
    w.Null();
    w.BeginArray();
    w.EndArray();
    w.EndArray();
    w.EndObject();
    EXPECT_EQ(w.Text(), "{\n"
                        "  \"name\": \"KAVRO\",\n"
                        "  \"list\": [-1, 27.125, null],\n"
                        "  \"empty\": {},\n"
                        "  \"rows\": [\n"
                        "    true,\n"
                        "    null,\n"
                        "    []\n"
                        "  ]\n"
                        "}");
    const auto parsed = JsonReader::Parse(w.Text());
    ASSERT_TRUE(parsed);
    EXPECT_EQ((*parsed)["list"][1].Num(), 27.125);
}

TEST(JsonWriter, TextsOfAnyBytesStayValidJson) {
    struct Case {
        std::string text;
        const char* quoted;
    };
    const Case cases[] = {
        {"plain", "\"plain\""},
        {"say \"hi\" \\ now", "\"say \\\"hi\\\" \\\\ now\""},
        {"tab\tline\nend\x01\x7F", "\"tab\\tline\\nend\\u0001\\u007f\""},
        {"\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD", "\"\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD\""},
        {"\xE9t\xE9", "\"\\u00e9t\\u00e9\""},          // Windows-1252 bytes, not UTF-8
        {"\xC3", "\"\\u00c3\""},                       // a sequence cut short
        {"\xED\xA0\x80", "\"\\u00ed\\u00a0\\u0080\""}, // a surrogate
        {"\xF0\x9F\x93\xBB", "\"\xF0\x9F\x93\xBB\""},
        {std::string("a\0b", 3), "\"a\\u0000b\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JsonQuoted(c.text), c.quoted);
        EXPECT_TRUE(JsonReader::Parse(JsonQuoted(c.text))) << c.quoted;
    }
}

TEST(JsonWriter, CheckerRefusesBrokenJson) {
    for (const char* bad : {"", "{", "{\"a\" 1}", "[1,]", "\"\x01\"", "\"\xC3\"", "01", "[1] x",
                            "\"\\x\"", "{\"a\":1,}", "nul"})
        EXPECT_FALSE(JsonReader::Parse(bad)) << bad;
    EXPECT_TRUE(JsonReader::Parse(" {\"a\": [1.5e3, -0, \"\\u00e9\", {}]} "));
}

} // namespace
} // namespace velmar
