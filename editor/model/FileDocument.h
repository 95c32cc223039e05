#pragma once
// A document kept in a file (or a new one not yet saved).

#include "BookKind.h"
#include "Document.h"

#include <memory>
#include <string>
#include <string_view>

namespace pelmora::model {

class FileDocument : public Document {
public:
    static constexpr size_t kNameWidth = 519;

    FileDocument() : Document(DocumentKind::File) {}
    explicit FileDocument(std::u16string_view name) : FileDocument() { setName(name); }

    // A new document: one empty book of every kind, in creation order.
    static std::unique_ptr<FileDocument> createNew(std::u16string_view name,
                                                   const BookCapacities& capacities);

    // The file path of an opened file, or a new document's generated name.
    [[nodiscard]] const std::u16string& name() const { return m_name; }
    void setName(std::u16string_view name);

private:
    std::u16string m_name;
};

} // namespace pelmora::model
