#pragma once
// Small pieces the command handlers share.

#include "Arguments.h"
#include "FileDocument.h"
#include "Session.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace pelmora::cli {

// A file the command writes must say its format by its extension.
void requireBookFileExtension(const std::filesystem::path& file, const std::string& command);
// The .phn, .csv or .vcf file as a document; Failure saying why it cannot be
// read. What an import could not take as it was goes to standard error.
// csvBook: set to the one book a .csv file holds.
[[nodiscard]] std::unique_ptr<model::FileDocument>
openBookFile(Session& session, const std::filesystem::path& file,
             std::optional<uint16_t>* csvBook = nullptr);
// Saves atomically; Failure saying why it could not be written.
// vcard4: a .vcf file is written as vCard 4.0 instead of 3.0.
void saveBookFile(Session& session, model::Document& document, const std::filesystem::path& file,
                  bool vcard4 = false);
// "Phone book (adn)".
[[nodiscard]] std::string bookLabel(uint16_t kind);

} // namespace pelmora::cli
