#include "model/new_document.h"

#include <filesystem>

#include "model/band_table.h"
#include "model/data_file.h"
#include "model/initial_values.h"
#include "model/snapshot.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDefaultSettingsTemplate = "KAVRO_1.dat";

bool IsRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// The default model's settings without its channels.
void TakeDefaultSettings(Document& doc, const fs::path& folder, const TextLookup& texts,
                         MessageSink& messages) {
    const fs::path path = folder / kDefaultSettingsTemplate;
    if (!IsRegularFile(path))
        return;
    auto record = ReadDataRecord(path.string(), texts, messages);
    if (!record)
        return;
    record->ChCount = 0;
    doc.SavedDoc = *record;
    AdoptSettings(doc);
}

} // namespace

std::string TemplateFileName(const Document& doc, const std::string& programFolder) {
    const std::string suffix = doc.InitSettingsMode ? ".dat" : "_NEW.dat";
    const std::string name =
        doc.ModelName + "_" + std::to_string(BandTextToCode(doc.BandText)) + suffix;
    return (fs::path(programFolder) / "Init" / name).string();
}

void InitNewDocument(Document& doc, const std::string& programFolder, int currentMonth,
                     const TextLookup& texts, MessageSink& messages) {
    doc.IsNewDocument = true;
    doc.DocFileName = "new.dat";
    InitDocValues(doc, currentMonth);
    SnapshotDocument(doc);

    // The model name comes from files and radios; it must not lead elsewhere.
    if (doc.ModelName.find_first_of("/\\") != std::string::npos)
        return;
    const std::string templateName = TemplateFileName(doc, programFolder);
    if (IsRegularFile(templateName)) {
        if (const auto loaded = ReadDocumentFiles(templateName, texts, messages))
            TakeLoadedDocument(doc, *loaded);
    } else if (kDefaultSettingsTemplate.starts_with(doc.ModelName + "_")) {
        TakeDefaultSettings(doc, fs::path(programFolder) / "Init", texts, messages);
    }
}

} // namespace velmar
