#include "model/template_files.h"

#include <memory>

#include "model/data_file.h"
#include "model/initial_values.h"
#include "model/snapshot.h"

namespace velmar {
namespace {

void AddPair(std::vector<TemplateFile>& files, const std::string& dataName, const Document& doc) {
    DataFileBytes bytes = EncodeDataFiles(doc.SavedDoc, doc.SavedChList);
    files.push_back({dataName, std::move(bytes.Data)});
    files.push_back({ChannelFileName(dataName), std::move(bytes.Channels)});
}

} // namespace

std::vector<TemplateFile> BuildTemplateFiles() {
    // The month only reaches RadioInfo, which no data file holds.
    constexpr int anyMonth = 1;
    auto doc = std::make_unique<Document>();
    InitDocValues(*doc, anyMonth);
    SnapshotDocument(*doc);
    std::vector<TemplateFile> files;
    AddPair(files, "KAVRO_1_NEW.dat", *doc);

    doc->Doc.ChCount = 0;
    SnapshotDocument(*doc);
    AddPair(files, "KAVRO_1.dat", *doc);
    return files;
}

} // namespace velmar
