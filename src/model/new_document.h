#pragma once
#include <string>

#include "model/document.h"
#include "shell/message_sink.h"
#include "shell/text_lookup.h"

namespace velmar {

// The template data file for the current model and band in the "Init" folder
// of the program folder: ModelName + "_" + band code + "_NEW.dat" for a new
// document, + ".dat" for the initialise-settings command.
std::string TemplateFileName(const Document& doc, const std::string& programFolder);

// Makes a new document: DocFileName "new.dat", IsNewDocument set, the initial
// values (InitDocValues) and their snapshot, then the template of
// TemplateFileName when it exists. Without it, a document of the default model
// takes the settings of "Init/KAVRO_1.dat" and no channels. A damaged template
// is reported (9002, 9033) and the initial values stand. InitSettingsMode is
// read, not cleared; the channel grid's cursor and the link state are reset
// by their owners.
void InitNewDocument(Document& doc, const std::string& programFolder, int currentMonth,
                     const TextLookup& texts, MessageSink& messages);

} // namespace velmar
