#include "BookCardFixture.h"

#include "FieldText.h"
#include "card/SIMCard.h"

namespace brontel::test {

namespace {

constexpr size_t kMaxRecords = 3 * 254;

void collectProgress(int index, int total, const char16_t* name, const char16_t* value,
                     intptr_t user) {
    reinterpret_cast<std::vector<ProgressCall>*>(user)->push_back(
        {index, total, name ? name : u"", value ? value : u"",
         name == nullptr && value == nullptr});
}

} // namespace

PhoneBookEntry entry(std::u16string_view name, std::u16string_view number) {
    PhoneBookEntry e{};
    codec::setFieldText(e.name, name);
    codec::setFieldText(e.value0, number);
    return e;
}

std::u16string nameOf(const PhoneBookEntry& e) {
    return std::u16string(codec::fieldText(e.name));
}

std::u16string valueOf(const PhoneBookEntry& e, int value) {
    const PhoneBookValueField field = phoneBookValue(const_cast<PhoneBookEntry&>(e), value);
    return std::u16string(codec::fieldText(field.text, field.capacity));
}

void BookCard::SetUp() {
    VirtualCard::SetUp();
    use(cardProfile("demo"));
}

BookRead BookCard::read(int efId) {
    BookRead out;
    PhoneBookRequest request{};
    if (get_phone_book(&card, efId, &request) != 1) {
        ADD_FAILURE() << "the book does not describe itself: " << lastError();
        out.count = request.count;
        out.entries.resize(kMaxRecords); // for the checks that follow
        return out;
    }
    out.entries.resize(static_cast<size_t>(request.count));
    request.entries = out.entries.data();
    m_readProgress.clear();
    request.user = reinterpret_cast<intptr_t>(&m_readProgress);
    request.progress = collectProgress;
    out.result = get_phone_book(&card, efId, &request);
    out.count = request.count;
    return out;
}

int BookCard::write(int efId, std::vector<PhoneBookEntry>& entries,
                    std::vector<ProgressCall>* progress) {
    PhoneBookRequest request{};
    request.entries = entries.data();
    request.count = static_cast<int32_t>(entries.size());
    if (progress != nullptr) {
        request.user = reinterpret_cast<intptr_t>(progress);
        request.progress = collectProgress;
    }
    return set_phone_book(&card, efId, &request);
}

} // namespace brontel::test
