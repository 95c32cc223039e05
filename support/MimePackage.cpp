#include "MimePackage.h"

namespace pelmora::qulvio {
namespace {

std::string escapeXml(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            // XML 1.0 allows no control characters but tab, newline and return.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') {
                out.push_back(c);
            }
        }
    }
    return out;
}

} // namespace

std::string mimePackageXml(std::string_view mimeType, std::string_view comment,
                           const std::vector<std::string>& extensions) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"" +
        escapeXml(mimeType) + "\">\n";
    xml += "    <comment>" + escapeXml(comment) + "</comment>\n";
    for (const std::string& extension : extensions) {
        xml += "    <glob pattern=\"*" + escapeXml(extension) + "\"/>\n";
    }
    xml += "  </mime-type>\n</mime-info>\n";
    return xml;
}

} // namespace pelmora::qulvio
