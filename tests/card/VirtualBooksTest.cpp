// Read SIM and Write SIM through the real plug-in: which books, which slots,
// which PINs, and what a failing card leaves behind.
#include "FileDocument.h"
#include "VirtualCardOps.h"

#include <fstream>
#include <sstream>

namespace pelmora::model::test {
namespace {

constexpr uint16_t kAllBooks[] = {kBookNextel, kBookAdn, kBookMsisdn, kBookLnd,
                                  kBookFdn,    kBookSdn, kBookBdn,    kBookSms};

class VirtualBooks : public VirtualCardOps {
protected:
    // Opens the card with PIN1 (probing its books), then reads them.
    CardReport read(CardOptions options = {}, uint16_t selected = kBookNone) {
        user.pins.push_back(u"1234");
        CardDocument* const one[] = {&card};
        ops(options).openCard(one);
        return commands(options).readSim(card, card.category(selected), progress);
    }
    // What the card holds now, read past the editor's books on the
    // document's connection (a second one would be refused).
    std::u16string onCard(CardDocument& document, uint16_t kind, size_t slot) {
        const auto entries = cardBook(calls, document, kind);
        return slot < entries.size() ? std::u16string(fieldText(entries[slot].name)) : u"<none>";
    }
};

TEST_F(VirtualBooks, ReadSimReadsEveryBookOrOnlyTheSelectedOne) {
    const struct {
        bool readWriteAll;
        uint16_t selected;
        std::vector<uint16_t> done;
    } cases[] = {
        {true, kBookNone, {std::begin(kAllBooks), std::end(kAllBooks)}},
        {false, kBookFdn, {kBookFdn}},
        {false, kBookNone, {kBookNextel}}, // the document's first book
    };
    for (const auto& c : cases) {
        calls.close(card);
        card.releaseCategories();
        CardOptions options;
        options.readWriteAll = c.readWriteAll;
        const CardReport report = read(options, c.selected);
        EXPECT_TRUE(report.ok());
        EXPECT_EQ(report.done, c.done) << c.readWriteAll << " " << c.selected;
    }
}

TEST_F(VirtualBooks, NamelessNumbersAreKeptAndHolesFollowTheSetting) {
    // Slots 2 and 7 hold contacts, slot 4 a number without a name.
    insert(CardProfile().records("3F00/7F10/6F3A", {{3, adnRecord("Two", "4411")},
                                                    {5, adnRecord("", "4455")},
                                                    {8, adnRecord("Seven", "4477")}}));
    const struct {
        bool allowEmptyName, withoutHoles;
        std::vector<std::u16string> slots; // names of slots 0 to 7
    } cases[] = {
        {false, false, {u"", u"", u"Two", u"", u"", u"", u"", u"Seven"}},
        {true, false, {u"", u"", u"Two", u"", u"", u"", u"", u"Seven"}},
        {false, true, {u"Two", u"", u"Seven", u"", u"", u"", u"", u""}},
        {true, true, {u"Two", u"", u"Seven", u"", u"", u"", u"", u""}},
    };
    for (const auto& c : cases) {
        calls.close(card);
        card.releaseCategories();
        CardOptions options;
        options.allowEmptyNameContacts = c.allowEmptyName;
        options.withoutHoles = c.withoutHoles;
        ASSERT_TRUE(read(options).ok());
        ASSERT_NE(card.category(kBookAdn), nullptr);
        const Category& adn = *card.category(kBookAdn);
        std::vector<std::u16string> names;
        bool slot4HasNumber = false;
        for (uint32_t slot = 0; slot < 8; ++slot) {
            names.emplace_back(fieldText(adn.entries()[slot].name));
            slot4HasNumber = slot4HasNumber || fieldText(adn.entries()[slot].value0) == u"+4455";
        }
        EXPECT_EQ(names, c.slots) << c.allowEmptyName << c.withoutHoles;
        EXPECT_TRUE(slot4HasNumber);
        EXPECT_TRUE(adn.unchanged());
    }
}

TEST_F(VirtualBooks, WriteSimOfTheCardWritesOnlyChangedBooksUnlessToldOtherwise) {
    ASSERT_TRUE(read().ok());
    Category& lnd = *card.category(kBookLnd);
    lnd.entries()[0] = contact(u"Dialled", u"+4412");
    lnd.markChanged();
    CardReport report = commands().writeSim(card, nullptr, {}, progress);
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(report.done, std::vector<uint16_t>{kBookLnd});
    EXPECT_EQ(report.skipped.size(), std::size(kAllBooks) - 1);
    EXPECT_TRUE(lnd.unchanged());
    EXPECT_EQ(onCard(card, kBookLnd, 0), u"Dialled");

    CardOptions everything;
    everything.saveUpdatedOnly = false;
    user.pins = {u"5678"}; // the FDN book wants PIN2
    report = commands(everything).writeSim(card, nullptr, {}, progress);
    // Only the administrator may update the SDN book, which holds what the
    // card holds: it is not attempted, and the other books are written.
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(report.skipped, std::vector<uint16_t>{kBookSdn});
    EXPECT_EQ(report.done.size(), std::size(kAllBooks) - 1);

    // Every book the card gives back as written: read back, nothing differs.
    everything.verifyWrites = true;
    user.pins = {u"5678"};
    report = commands(everything).writeSim(card, nullptr, {}, progress);
    EXPECT_TRUE(report.ok());
    EXPECT_TRUE(report.notAsWritten.empty());
}

TEST_F(VirtualBooks, AFileIsWrittenWholeToTheReaderTheUserPicksAndStaysUnsaved) {
    ASSERT_GE(sim().addReader(nullptr), 0);
    insert(CardProfile().set("3F00/2FE2", "Data", "98445100214365871200"), 1);
    std::u16string second;
    ASSERT_TRUE(calls.readerName(1, second));
    CardDocument secondCard;
    secondCard.reader = second;

    FileDocument file;
    Category& adn = file.addCategory(kBookAdn, 3);
    adn.entries()[0] = contact(u"From file", u"+4401");
    adn.markChanged();
    file.addCategory(kBookLnd, 2); // unchanged, written all the same once the user agrees
    user.pickReader = second;
    user.pins = {u"1234"};
    user.allowEmpty = true;
    CardDocument* const readers[] = {&card, &secondCard};
    const CardReport report = commands().writeSim(file, nullptr, readers, progress);
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(report.done, (std::vector<uint16_t>{kBookAdn, kBookLnd}));
    EXPECT_EQ(user.asked, (std::vector<std::string>{"reader", "pin1 3", "empty"}));
    EXPECT_EQ(onCard(secondCard, kBookAdn, 0), u"From file");
    EXPECT_EQ(card.connection, nullptr); // the other reader's card was left alone
    // Writing to a card does not save the file.
    EXPECT_FALSE(adn.unchanged());
    calls.close(secondCard);
}

TEST_F(VirtualBooks, FdnWritesAskForPin2OncePerConnection) {
    ASSERT_TRUE(read().ok());
    Category& fdn = *card.category(kBookFdn);
    user.pins = {u"5678"};
    for (const char16_t* name : {u"First", u"Second"}) {
        fdn.entries()[0] = contact(name, u"+4499");
        fdn.markChanged();
        EXPECT_TRUE(commands().writeSim(card, nullptr, {}, progress).ok());
    }
    EXPECT_EQ(user.asked, (std::vector<std::string>{"pin1 3", "pin2 3"}));
    EXPECT_EQ(onCard(card, kBookFdn, 0), u"Second");
}

TEST_F(VirtualBooks, WithPin1DisabledAnUpdateConditionOfPin1AsksNothing) {
    insert(CardProfile().set("Card", "CHV1Enabled", "0"));
    ASSERT_TRUE(commands().readSim(card, nullptr, progress).ok());
    Category& adn = *card.category(kBookAdn);
    adn.entries()[0] = contact(u"No PIN", u"+4400");
    adn.markChanged();
    EXPECT_TRUE(commands().writeSim(card, nullptr, {}, progress).ok());
    EXPECT_TRUE(user.asked.empty());
}

} // namespace
} // namespace pelmora::model::test
