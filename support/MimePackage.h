#pragma once
// A shared-MIME-info package (Shared MIME-info Database 0.21, "The source XML
// files") declaring one MIME type by its file-name globs.

#include <string>
#include <string_view>
#include <vector>

namespace pelmora::qulvio {

// The package text: the type with the description as its comment and one
// glob "*<extension>" per extension. Text is escaped for XML.
[[nodiscard]] std::string mimePackageXml(std::string_view mimeType, std::string_view comment,
                                         const std::vector<std::string>& extensions);

} // namespace pelmora::qulvio
