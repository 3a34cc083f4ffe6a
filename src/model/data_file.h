#pragma once
// The data file pair: the data file (one 1753-byte DocRecord) and beside it
// the channel file (ChCount records of 108 bytes, in ChList order).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/document.h"
#include "shell/message_sink.h"
#include "shell/text_lookup.h"
#include "shell/version_table.h"

namespace velmar {

// Message texts of the data files.
inline constexpr int kTextFileError = 9002;       // cannot be opened, read or written
inline constexpr int kTextFileLength = 9033;      // wrong length or damaged contents
inline constexpr int kTextNotVersionTag = 9065;   // no version tag at the start
inline constexpr int kTextChannelsNotRead = 9100; // followed by how many channels

// The data file's path with its last three characters replaced by "fre".
std::string ChannelFileName(std::string_view dataFileName);

struct DataFileBytes {
    std::vector<std::uint8_t> Data;     // the 1753-byte record
    std::vector<std::uint8_t> Channels; // ChCount records of 108 bytes
};

// The file form of a snapshot: `saved` and its first ChCount channels.
DataFileBytes EncodeDataFiles(const DocRecord& saved, const ChannelList& savedChannels);

// A document read from a data file pair, not yet taken into a Document.
struct LoadedDocument {
    DocRecord Record;
    std::vector<ChannelInfo> Channels; // Record.ChCount of them
    int ChannelsNotRead = 0;           // promised by the data file, not in the channel file
};

// Reads the record of a data file alone: exactly 1753 bytes with a ChCount of
// 0 … 529; otherwise shows text 9002 (cannot be read) or 9033 and gives nothing.
std::optional<DocRecord> ReadDataRecord(const std::string& fileName, const TextLookup& texts,
                                        MessageSink& messages);

// Reads a data file and its channel file without looking at the version tag.
// The data file must be exactly 1753 bytes with a ChCount of 0 … 529;
// otherwise shows text 9002 (cannot be read) or 9033 (wrong length, damaged)
// and gives nothing. The channel file is read as far as it goes: record after
// record up to ChCount, stopping at a record that is not whole or whose
// channel number is not 1 … 529 or was read before; ChCount becomes the
// number of records read. A missing or unreadable channel file gives no
// channels; records beyond ChCount are not read. When fewer channels were
// read than the data file promised, shows text 9100 followed by how many
// could not be read (a warning; the document opens).
std::optional<LoadedDocument> ReadDocumentFiles(const std::string& fileName,
                                                const TextLookup& texts, MessageSink& messages);

// The warning that `count` channels could not be read from the channel file.
std::string ChannelsNotReadText(int count, const TextLookup& texts);

// The loaded pair becomes the snapshot and the working document
// (AdoptDocument).
void TakeLoadedDocument(Document& doc, const LoadedDocument& loaded);

// Opens `fileName` as the document: checks its version tag (9065) and its
// compatibility (the table's message), reads the pair (a missing or short
// channel file gives the channels read and warns, see ReadDocumentFiles), puts
// it into the snapshot and the working copy (AdoptDocument), sets DocFileName
// and clears IsNewDocument. On any failure shows its message, returns false
// and leaves the document, its file name included, exactly as it was. Opening
// the channel grid and refreshing the windows is the caller's.
bool OpenDocumentFile(Document& doc, const std::string& fileName, const VersionTable& versions,
                      const TextLookup& texts, MessageSink& messages);

// Saves the document as `fileName` and its channel file: the snapshot is taken
// (SnapshotDocument) and written safely (WriteFilePair); on success DocFileName
// := fileName and IsNewDocument := false. On failure shows text 9002, returns
// false and leaves the document as it was, so it still counts as changed.
bool SaveDocumentFile(Document& doc, const std::string& fileName, const TextLookup& texts,
                      MessageSink& messages);

} // namespace velmar
