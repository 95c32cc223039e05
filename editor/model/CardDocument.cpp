#include "CardDocument.h"

#include "Records.h"

namespace pelmora::model {

void CardDocument::setReaderLine(std::u16string_view text) {
    m_readerLine.assign(cutToWidth(text, kReaderLineWidth + 1));
}

void CardDocument::forgetPins() {
    m_pin1.clear();
    m_pin2.clear();
}

void CardDocument::close() {
    connection = nullptr;
    info = SimInfo{};
    lastResult = 0;
    lastError = 0;
    m_readerLine.clear();
    forgetPins();
    releaseCategories();
}

} // namespace pelmora::model
