#pragma once
// A small XML reader for the operator database: elements, attributes and
// character data as a tree. Comments, processing instructions and the
// document type are skipped; the predefined and numeric character references
// are decoded; text is UTF-8 as in the file.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pelmora::plmn {

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<XmlElement> children;
    std::string text; // the element's own character data, concatenated

    // The attribute's value, or nothing when it is absent.
    [[nodiscard]] const std::string* attribute(std::string_view attributeName) const;
    // Child elements with that name, in document order.
    [[nodiscard]] std::vector<const XmlElement*> childrenNamed(std::string_view childName) const;
};

// Parses a whole document and returns its root element. Malformed input
// throws std::runtime_error naming the byte offset.
[[nodiscard]] XmlElement parseXml(std::string_view document);

} // namespace pelmora::plmn
