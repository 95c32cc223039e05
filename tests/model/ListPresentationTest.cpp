#include "ModelTestSupport.h"

#include "CellLimits.h"
#include "ListColumns.h"
#include "ListRows.h"

#include <gtest/gtest.h>

using namespace pelmora::model;
using namespace pelmora::model::test;

namespace {

struct KindColumns {
    uint16_t kind;
    std::vector<int> headers;
    std::vector<bool> editable;
};

std::vector<int> headersOf(uint16_t kind) {
    std::vector<int> out;
    for (const ListColumn& c : listColumns(kind)) {
        out.push_back(c.headerText);
    }
    return out;
}

std::vector<std::u16string> row(const Category& c, int slot) {
    std::vector<std::u16string> cells;
    for (size_t col = 0; col < listColumns(c.kind()).size(); ++col) {
        cells.push_back(cellText(c, slot, static_cast<int>(col), u"dd.MM.yyyy"));
    }
    return cells;
}

void setRecordLength(Category& c, int length) {
    FileDescription d{};
    d[0] = length * 10;
    d[3] = length;
    c.setFileDescription(d);
}

} // namespace

TEST(ListColumns, HeadersAndEditableCellsPerKind) {
    const KindColumns table[] = {
        {kBookNextel, {1, 2}, {false, true}},
        {kBookAdn, {1, 2, 3}, {false, true, true}},
        {kBookLnd, {1, 2, 3}, {false, true, true}},
        {kBookSms, {1, 3, 81, 82, 83}, {false, true, true, false, true}},
    };
    for (const KindColumns& k : table) {
        EXPECT_EQ(headersOf(k.kind), k.headers) << k.kind;
        for (size_t col = 0; col < k.editable.size(); ++col) {
            EXPECT_EQ(isEditableColumn(k.kind, static_cast<int>(col)), k.editable[col])
                << k.kind << " column " << col;
        }
        EXPECT_FALSE(isEditableColumn(k.kind, static_cast<int>(k.editable.size())));
    }
}

TEST(ListRows, PhoneBooksShowEverySlotWithNameAndNumber) {
    Category adn(kBookAdn, 3);
    *adn.entry(1) = makeEntry(u"Anna", u"+4930");
    EXPECT_EQ(listRowSlots(adn, false), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(row(adn, 1), (std::vector<std::u16string>{u"2", u"Anna", u"+4930"}));
    EXPECT_EQ(row(adn, 2), (std::vector<std::u16string>{u"3", u"", u""}));

    Category iden(kBookNextel, 1);
    *iden.entry(0) = makeEntry(u"Bert", u"555");
    EXPECT_EQ(row(iden, 0), (std::vector<std::u16string>{u"1", u"Bert"}));
}

TEST(ListRows, MessagesFirstThenEmptySlotsDeletedOnlyWhenShown) {
    Category sms(kBookSms, 5);
    SmsEntry kept = makeMessage(u"Hello", u"+491");
    setFieldText(kept.smsc, u"+49171");
    kept.timestamp = {2024, 3, 0, 9, 7, 5, 4, 0};
    *sms.message(1) = kept;
    SmsEntry gone = makeMessage(u"Old");
    gone.flags = static_cast<int32_t>(kSmsDeleted);
    *sms.message(3) = gone;

    EXPECT_EQ(listRowSlots(sms, false), (std::vector<int>{1, 0, 2, 4}));
    EXPECT_EQ(listRowSlots(sms, true), (std::vector<int>{1, 3, 0, 2, 4}));
    EXPECT_EQ(row(sms, 1), (std::vector<std::u16string>{u"2", u"+491", u"+49171",
                                                        u"09.03.2024 07:05:04", u"Hello"}));
    EXPECT_EQ(row(sms, 0), (std::vector<std::u16string>{u"1", u"", u"", u"", u""}));
}

TEST(CellLimits, PerColumnWithAndWithoutARecordLength) {
    Category adn(kBookAdn, 1);
    Category sms(kBookSms, 1);
    EXPECT_EQ(cellCharacterLimit(adn, 0), 0u);
    EXPECT_EQ(cellCharacterLimit(adn, 1), kNameWidth);
    EXPECT_EQ(cellCharacterLimit(adn, 2), 60u);
    EXPECT_EQ(cellCharacterLimit(sms, 1), 20u);
    EXPECT_EQ(cellCharacterLimit(sms, 2), 20u);
    EXPECT_EQ(cellCharacterLimit(sms, 3), 0u);
    EXPECT_EQ(cellCharacterLimit(sms, 4), 160u);
    setRecordLength(adn, 28);
    setRecordLength(sms, 176);
    EXPECT_EQ(cellCharacterLimit(adn, 1), 14u);
    EXPECT_EQ(cellCharacterLimit(sms, 1), 60u);
    EXPECT_EQ(cellCharacterLimit(sms, 2), 60u);
}

TEST(CellLimits, NamesCountTheBytesOfTheirEncoding) {
    Category adn(kBookAdn, 1);
    setRecordLength(adn, 28); // 14-byte alpha field
    EXPECT_TRUE(cellTextFits(adn, 1, u"Fourteen chars"));
    EXPECT_FALSE(cellTextFits(adn, 1, u"Brackets [x] {y}")); // escapes take two bytes
    EXPECT_TRUE(cellTextFits(adn, 1, u"中文名字测试"));      // six UCS2 characters
    EXPECT_FALSE(cellTextFits(adn, 1, u"中文名字测试字"));
    EXPECT_TRUE(cellTextFits(adn, 2, u"+49 30 1234"));
}
