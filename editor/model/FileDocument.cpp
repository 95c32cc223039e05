#include "FileDocument.h"

#include "Records.h"

namespace pelmora::model {

std::unique_ptr<FileDocument> FileDocument::createNew(std::u16string_view name,
                                                      const BookCapacities& capacities) {
    auto document = std::make_unique<FileDocument>(name);
    for (uint16_t kind : kBookCreationOrder) {
        document->addCategory(kind, capacities.forKind(kind));
    }
    return document;
}

void FileDocument::setName(std::u16string_view name) {
    m_name.assign(cutToWidth(name, kNameWidth + 1));
}

} // namespace pelmora::model
