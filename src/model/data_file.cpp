#include "model/data_file.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <filesystem>
#include <fstream>

#include "model/file_pair.h"
#include "model/snapshot.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;

void ShowError(int textId, const TextLookup& texts, MessageSink& messages) {
    messages.Show(texts.GetText(textId), MsgButtons::Ok, MsgIcon::Critical);
}

// The first bytes of a file, at most `count`; nothing when it cannot be read.
std::optional<std::string> ReadHead(const std::string& path, std::size_t count) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string head(count, '\0');
    in.read(head.data(), static_cast<std::streamsize>(count));
    if (in.bad() || (!in && !in.eof()))
        return std::nullopt;
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

// The whole file when it is exactly `size` bytes long; otherwise text 9002
// (cannot be read) or 9033 (other length).
std::optional<std::vector<std::uint8_t>> ReadSizedFile(const std::string& path, std::uintmax_t size,
                                                       const TextLookup& texts,
                                                       MessageSink& messages) {
    std::error_code ec;
    const bool regular = fs::is_regular_file(path, ec);
    const std::uintmax_t actual = regular ? fs::file_size(path, ec) : 0;
    if (!regular || ec) {
        ShowError(kTextFileError, texts, messages);
        return std::nullopt;
    }
    if (actual != size) {
        ShowError(kTextFileLength, texts, messages);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(size);
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (!in || static_cast<std::uintmax_t>(in.gcount()) != size) {
        ShowError(kTextFileError, texts, messages);
        return std::nullopt;
    }
    return bytes;
}

// Up to `count` whole records from the start of the channel file, ending
// before the first record whose channel number is outside 1 … 529 or repeats
// an earlier one. A file that cannot be read gives none.
std::vector<ChannelInfo> ReadChannelRecords(const std::string& path, std::size_t count) {
    std::vector<ChannelInfo> channels;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return channels;
    std::ifstream in(path, std::ios::binary);
    std::bitset<kMaxChannels + 1> seen;
    std::array<std::uint8_t, kChannelInfoSize> record;
    while (channels.size() < count &&
           in.read(reinterpret_cast<char*>(record.data()), kChannelInfoSize)) {
        const ChannelInfo ch = ParseChannelInfo(record);
        if (ch.ChNo < 1 || ch.ChNo > kMaxChannels || seen[ch.ChNo])
            break;
        seen[ch.ChNo] = true;
        channels.push_back(ch);
    }
    return channels;
}

} // namespace

std::string ChannelFileName(std::string_view dataFileName) {
    const std::size_t kept = dataFileName.size() - std::min<std::size_t>(3, dataFileName.size());
    return std::string(dataFileName.substr(0, kept)) + "fre";
}

DataFileBytes EncodeDataFiles(const DocRecord& saved, const ChannelList& savedChannels) {
    DataFileBytes files;
    const DocBytes record = SerializeDocRecord(saved);
    files.Data.assign(record.begin(), record.end());
    for (int i = 0; i < UsedChannelCount(saved.ChCount); ++i) {
        const ChannelBytes channel = SerializeChannelInfo(savedChannels[i]);
        files.Channels.insert(files.Channels.end(), channel.begin(), channel.end());
    }
    return files;
}

std::optional<DocRecord> ReadDataRecord(const std::string& fileName, const TextLookup& texts,
                                        MessageSink& messages) {
    const auto bytes = ReadSizedFile(fileName, kDocRecordSize, texts, messages);
    if (!bytes)
        return std::nullopt;
    DocRecord record = ParseDocRecord(std::span<const std::uint8_t, kDocRecordSize>(*bytes));
    if (record.ChCount < 0 || record.ChCount > kMaxChannels) {
        ShowError(kTextFileLength, texts, messages);
        return std::nullopt;
    }
    return record;
}

std::optional<LoadedDocument> ReadDocumentFiles(const std::string& fileName,
                                                const TextLookup& texts, MessageSink& messages) {
    auto record = ReadDataRecord(fileName, texts, messages);
    if (!record)
        return std::nullopt;
    LoadedDocument loaded{*record, {}};
    if (record->ChCount == 0)
        return loaded;
    // Errors in the channel file do not refuse the settings: reading stops.
    loaded.Channels =
        ReadChannelRecords(ChannelFileName(fileName), static_cast<std::size_t>(record->ChCount));
    const auto read = static_cast<std::int16_t>(loaded.Channels.size());
    loaded.ChannelsNotRead = record->ChCount - read;
    loaded.Record.ChCount = read;
    if (loaded.ChannelsNotRead > 0)
        messages.Show(ChannelsNotReadText(loaded.ChannelsNotRead, texts), MsgButtons::Ok,
                      MsgIcon::Warning);
    return loaded;
}

std::string ChannelsNotReadText(int count, const TextLookup& texts) {
    return texts.GetText(kTextChannelsNotRead) + " " + std::to_string(count);
}

void TakeLoadedDocument(Document& doc, const LoadedDocument& loaded) {
    doc.SavedDoc = loaded.Record;
    std::copy(loaded.Channels.begin(), loaded.Channels.end(), doc.SavedChList.begin());
    AdoptDocument(doc);
}

bool OpenDocumentFile(Document& doc, const std::string& fileName, const VersionTable& versions,
                      const TextLookup& texts, MessageSink& messages) {
    const auto head = ReadHead(fileName, 4);
    if (!head) {
        ShowError(kTextFileError, texts, messages);
        return false;
    }
    if (!IsVersionTag(*head)) {
        ShowError(kTextNotVersionTag, texts, messages);
        return false;
    }
    const std::string tag = TrimFixStr(*head);
    if (!versions.IsCompatible(ProgramVersion, tag)) {
        messages.Show(
            versions.CompatMessage(ProgramVersion, tag, VersionTable::DataFileKind, texts),
            MsgButtons::Ok, MsgIcon::Warning);
        return false;
    }
    auto loaded = ReadDocumentFiles(fileName, texts, messages);
    if (!loaded)
        return false;
    loaded->Record.Version = MakeFixStr<4>(ProgramVersion);
    TakeLoadedDocument(doc, *loaded);
    doc.DocFileName = fileName;
    doc.IsNewDocument = false;
    return true;
}

bool SaveDocumentFile(Document& doc, const std::string& fileName, const TextLookup& texts,
                      MessageSink& messages) {
    const std::string channelFileName = ChannelFileName(fileName);
    Document saved = doc;
    SnapshotDocument(saved);
    const DataFileBytes files = EncodeDataFiles(saved.SavedDoc, saved.SavedChList);
    // A data file named like its own channel file would be overwritten by it.
    if (channelFileName == fileName ||
        !WriteFilePair(fileName, files.Data, channelFileName, files.Channels)) {
        ShowError(kTextFileError, texts, messages);
        return false;
    }
    saved.DocFileName = fileName;
    saved.IsNewDocument = false;
    doc = std::move(saved);
    return true;
}

} // namespace velmar
