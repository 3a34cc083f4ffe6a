#include "shell/language_texts.h"

#include "shell/file_io.h"
#include "shell/text_encoding.h"
#include "shell/text_util.h"

#include <array>
#include <utility>

namespace velmar {

namespace {

// First id of each section, in ascending order.
constexpr std::array<std::pair<int, std::string_view>, 24> SectionStarts = {{
    {9000, "Msg"},       {10000, "Menu"},        {11000, "ToolBar"},     {12000, "Main"},
    {13000, "Model"},    {14000, "ChannelInfo"}, {15000, "ChannelEdit"}, {16000, "Option"},
    {17000, "Radio"},    {18000, "DTMF"},        {19000, "TestFre"},     {20000, "EMG"},
    {21000, "Local"},    {22000, "Port"},        {23000, "Lang"},        {24000, "About"},
    {25000, "KeySet"},   {26000, "ScanSet"},     {27000, "AlertSet"},    {28000, "CHEdit"},
    {29000, "TONETIPS"}, {30000, "GroupName"},   {31000, "ResetMode"},   {32000, "Others"},
}};

// The file's text as UTF-8. Files shipped now are UTF-8; older ones are in the
// ANSI code page of their language.
std::string DecodeLanguageFile(const std::string& bytes, const std::string& fileName) {
    if (IsValidUtf8(bytes))
        return bytes;
    return EqualsIgnoreCase(fileName, "chinese.ini") ? GbkToUtf8(bytes) : Windows1252ToUtf8(bytes);
}

} // namespace

std::string_view TextSection(int id) {
    std::string_view section = "OTHER";
    for (const auto& [start, name] : SectionStarts) {
        if (id >= start)
            section = name;
    }
    return section;
}

LanguageTexts::LanguageTexts(std::string languageFolder, const ShellSettings& settings)
    : languageFolder_(std::move(languageFolder)), settings_(settings) {}

const IniDocument& LanguageTexts::CurrentFile() const {
    FileStamp stamp;
    stamp.path = languageFolder_ + "/" + settings_.LanguageFile;
    std::error_code ec;
    stamp.exists = std::filesystem::is_regular_file(stamp.path, ec);
    if (stamp.exists) {
        stamp.modified = std::filesystem::last_write_time(stamp.path, ec);
        stamp.size = std::filesystem::file_size(stamp.path, ec);
    }
    if (loaded_ && stamp == loadedStamp_)
        return loadedFile_;

    const std::optional<std::string> bytes =
        stamp.exists ? ReadWholeFile(stamp.path) : std::nullopt;
    loadedFile_ =
        IniDocument::Parse(bytes ? DecodeLanguageFile(*bytes, settings_.LanguageFile) : "");
    loadedStamp_ = stamp;
    loaded_ = bytes.has_value() || !stamp.exists;
    return loadedFile_;
}

std::string LanguageTexts::GetText(int id) const {
    const std::optional<std::string> value = CurrentFile().Get(TextSection(id), std::to_string(id));
    if (!value)
        return {};
    return std::string(TrimTrailingBlanks(CutUtf8(*value, MaxTextLength)));
}

} // namespace velmar
