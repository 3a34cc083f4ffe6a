#include "model/document_state.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "model/data_file.h"

namespace velmar {

namespace {

// The globals that go with a document, once for writing and reading alike.
template <class D, class F> void VisitGlobals(D& doc, F& field) {
    field(doc.ModelName), field(doc.BandText), field(doc.BandLow), field(doc.BandHigh);
    field(doc.DocFileName), field(doc.IsNewDocument);
    auto& info = doc.RadioInfo;
    field(info.BandCode), field(info.Reserved), field(info.SerialNo), field(info.FactoryDate);
    field(info.RepairDate), field(info.RepairReason), field(info.VersionText);
    field(info.ModelText), field(info.AreaCode), field(info.BatchNo), field(info.CustomerCode);
    field(info.DealerCode), field(info.StockInDate), field(info.SaleDate), field(info.Handler);
}

class GlobalsWriter {
public:
    explicit GlobalsWriter(ByteString& out) : out_(out) {}
    void operator()(const std::string& text) {
        Raw(static_cast<std::uint32_t>(text.size()));
        out_.insert(out_.end(), text.begin(), text.end());
    }
    template <std::size_t N> void operator()(const FixStr<N>& text) {
        out_.insert(out_.end(), text.begin(), text.end());
    }
    template <class T> void operator()(const T& value) { Raw(value); }

private:
    template <class T> void Raw(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
        out_.insert(out_.end(), bytes, bytes + sizeof(T));
    }
    ByteString& out_;
};

class GlobalsReader {
public:
    explicit GlobalsReader(const ByteString& in) : in_(in) {}
    void operator()(std::string& text) {
        std::uint32_t size = 0;
        Raw(size);
        text.assign(reinterpret_cast<const char*>(Take(size)), size);
    }
    template <std::size_t N> void operator()(FixStr<N>& text) {
        std::memcpy(text.data(), Take(N), N);
    }
    template <class T> void operator()(T& value) { Raw(value); }

private:
    template <class T> void Raw(T& value) { std::memcpy(&value, Take(sizeof(T)), sizeof(T)); }
    const std::uint8_t* Take(std::size_t count) {
        if (pos_ + count > in_.size())
            throw std::invalid_argument("document state cut short");
        const std::uint8_t* start = in_.data() + pos_;
        pos_ += count;
        return start;
    }
    const ByteString& in_;
    std::size_t pos_ = 0;
};

void DecodeFiles(const ByteString& data, const ByteString& channels, DocRecord& record,
                 ChannelList& list) {
    if (data.size() != kDocRecordSize || channels.size() % kChannelInfoSize != 0 ||
        channels.size() / kChannelInfoSize > list.size())
        throw std::invalid_argument("document state of the wrong size");
    record =
        ParseDocRecord(std::span<const std::uint8_t, kDocRecordSize>(data.data(), data.size()));
    for (std::size_t i = 0; i < channels.size() / kChannelInfoSize; ++i)
        list[i] = ParseChannelInfo(std::span<const std::uint8_t, kChannelInfoSize>(
            channels.data() + i * kChannelInfoSize, kChannelInfoSize));
}

} // namespace

DocumentState EncodeDocumentState(const Document& doc) {
    DocumentState state;
    DataFileBytes working = EncodeDataFiles(doc.Doc, doc.ChList);
    state.Working = {std::move(working.Data), std::move(working.Channels)};
    DataFileBytes saved = EncodeDataFiles(doc.SavedDoc, doc.SavedChList);
    state.Identity[0] = std::move(saved.Data);
    state.Identity[1] = std::move(saved.Channels);
    GlobalsWriter writer(state.Identity[2]);
    VisitGlobals(doc, writer);
    return state;
}

void DecodeDocumentState(const DocumentState& state, Document& doc) {
    DecodeFiles(state.Working[0], state.Working[1], doc.Doc, doc.ChList);
    DecodeFiles(state.Identity[0], state.Identity[1], doc.SavedDoc, doc.SavedChList);
    GlobalsReader reader(state.Identity[2]);
    VisitGlobals(doc, reader);
}

} // namespace velmar
