#pragma once
// The document of one smart-card reader: the connection to its card, what the
// card reported, and the PINs entered while it is connected.

#include "Brontel.h"
#include "Document.h"
#include "SecretText.h"

#include <string>
#include <string_view>

namespace pelmora::model {

class CardDocument : public Document {
public:
    static constexpr size_t kReaderLineWidth = 259;

    CardDocument() : Document(DocumentKind::Card) {}

    SimHandle connection = nullptr;
    SimInfo info{};
    int32_t lastResult = 0;
    int32_t lastError = 0;
    int32_t pinType = 1; // the PIN the running PIN dialog works on: 1 or 2
    // The reader this document stands for (its caption in the tree).
    std::u16string reader;
    // ICCID of the card the books were read from: a reconnected card with the
    // same ICCID keeps them.
    std::u16string booksCardId;
    // The last reader refresh found a card in the reader.
    bool cardPresent = false;
    // That card's ATR ("3B..."), as the plug-in shows it.
    std::u16string cardAtr;

    [[nodiscard]] const std::u16string& readerLine() const { return m_readerLine; }
    void setReaderLine(std::u16string_view text);

    // Up to eight digits each; absent until entered.
    [[nodiscard]] const SecretText& pin1() const { return m_pin1; }
    [[nodiscard]] const SecretText& pin2() const { return m_pin2; }
    void setPin1(std::u16string_view pin) { m_pin1.assign(pin.substr(0, kPinWidth)); }
    void setPin2(std::u16string_view pin) { m_pin2.assign(pin.substr(0, kPinWidth)); }
    void forgetPins();
    // Frees the buffer of PIN type (1 or 2).
    void forgetPin(int type) { type == 2 ? m_pin2.clear() : m_pin1.clear(); }

    // After the card was disconnected: no handle, no card information, no
    // PINs, an empty reader line and no books.
    void close();

private:
    static constexpr size_t kPinWidth = 8;
    std::u16string m_readerLine;
    SecretText m_pin1;
    SecretText m_pin2;
};

} // namespace pelmora::model
