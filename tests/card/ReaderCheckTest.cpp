// The reader check: the ATR decoder on a few ATRs, the PC/SC results it
// tells apart, the situation of each reader's document and the report.

#include "AtrMeaning.h"
#include "ReaderReport.h"

#include "LangText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace pelmora::model {
namespace {

class ReaderCheckTest : public ::testing::Test {
protected:
    void SetUp() override { use(u"en"); }
    void TearDown() override { velmet::useLanguage(nullptr, u"en"); }
    static void use(const char16_t* section) {
        velmet::useLanguage(std::make_shared<velmet::LanguageFile>(velmet::LanguageFile::load(
                                std::filesystem::path(PELMORA_SOURCE_DATA) / "lang.ini")),
                            section);
    }
};

struct AtrCase {
    const char16_t* hex;
    bool valid;
    uint16_t protocols;
    bool checksumGood;
};

TEST_F(ReaderCheckTest, DecodesTheProtocolsAnAtrOffers) {
    const AtrCase cases[] = {
        {u"3B1A1156495254554C53494D", false, 0, false},                 // one historical byte short
        {u"3B 1A 11 56 49 52 54 55 41 4C 53 49 4D", true, 0b01, false}, // T=0 implied
        {u"3B800181", true, 0b10, true},                                // T=1 only
        {u"3B80800101", true, 0b11, true},                              // T=0 and T=1
        {u"3B800180", true, 0b10, false},                               // bad check byte
        {u"3F2F008069AF0307015900000A0E833E9F16", true, 0b01, false},   // inverse convention
        {u"3B80", false, 0, false},                                     // TD1 announced, missing
        {u"3C00", false, 0, false},                                     // no such TS
        {u"3B0F000000000000000000000000000000000000000000000000000000000000", false, 0, false},
    };
    for (const AtrCase& c : cases) {
        SCOPED_TRACE(std::string(c.hex, c.hex + std::char_traits<char16_t>::length(c.hex)));
        const auto bytes = atrBytes(c.hex);
        ASSERT_TRUE(bytes);
        const auto meaning = decodeAtr(*bytes);
        ASSERT_EQ(meaning.has_value(), c.valid);
        if (meaning) {
            EXPECT_EQ(meaning->protocols, c.protocols);
            EXPECT_EQ(meaning->checksumGood, c.checksumGood);
        }
    }
    EXPECT_FALSE(atrBytes(u"3B1"));
    EXPECT_FALSE(atrBytes(u"3G00"));
    EXPECT_EQ(atrMeaningText(u"3B800181"),
              u"offers T=1; no T=0, the editor cannot talk to this card");
    EXPECT_EQ(atrMeaningText(u"3B80800101"), u"offers T=0, T=1; T=0 present");
    EXPECT_EQ(atrMeaningText(u"3B80"), u"not a valid ATR");
}

TEST_F(ReaderCheckTest, EachPcscResultNamesItsSituation) {
    const std::pair<uint32_t, std::optional<ReaderSituation>> cases[] = {
        {0x8010001D, ReaderSituation::ServiceNotRunning},
        {0x8010002E, ReaderSituation::NoReaders},
        {0x8010000C, ReaderSituation::NoCard},
        {0x80100066, ReaderSituation::CardMute},
        {0x80100067, ReaderSituation::CardMute},
        {0x8010000F, ReaderSituation::ProtocolMismatch},
        {0x8010000B, ReaderSituation::CardInUse},
        {0x80100069, ReaderSituation::CardRemoved},
        {0x80100016, ReaderSituation::CardRemoved},
        {0x80100013, ReaderSituation::ReaderError},
        {0, std::nullopt},
        {static_cast<uint32_t>(kSimErrorAccessNotFulfilled), std::nullopt},
    };
    for (const auto& [code, situation] : cases) {
        EXPECT_EQ(situationOfResult(static_cast<int32_t>(code)), situation) << std::hex << code;
    }
    EXPECT_EQ(situationAdvice(ReaderSituation::ReaderError, static_cast<int32_t>(0x80100013)),
              u"The reader reported error 0x80100013. Unplug the reader, plug it in again and "
              u"try once more.");
}

TEST_F(ReaderCheckTest, EverySituationHasItsOwnWordsInEveryLanguage) {
    for (const char16_t* language : {u"en", u"de"}) {
        use(language);
        std::set<std::u16string> labels, advice;
        for (int s = 0; s <= static_cast<int>(ReaderSituation::CardFault); ++s) {
            labels.insert(situationLabel(static_cast<ReaderSituation>(s)));
            advice.insert(situationAdvice(static_cast<ReaderSituation>(s)));
        }
        EXPECT_EQ(labels.size(), 13u);
        EXPECT_EQ(advice.size(), 13u);
        EXPECT_FALSE(labels.contains(u""));
    }
}

TEST_F(ReaderCheckTest, TellsEachReaderFromItsDocument) {
    CardDocument ready, lost, unopened, alien;
    ready.reader = u"R0";
    ready.cardPresent = true;
    ready.cardAtr = u"3B80800101";
    lost.reader = u"R1";
    lost.lastError = static_cast<int32_t>(0x80100069);
    unopened.reader = u"R2";
    alien.reader = u"R3";
    alien.cardPresent = true;
    alien.cardAtr = u"3B800181";

    CardDocument* const all[] = {&lost, &unopened, &alien, &ready};
    ReaderCheck check = checkReaders(true, all);
    ASSERT_EQ(check.readers.size(), 4u);
    EXPECT_EQ(check.readers[0].situation, ReaderSituation::CardRemoved);
    EXPECT_EQ(check.readers[1].situation, ReaderSituation::CardNotOpened);
    EXPECT_EQ(check.readers[2].situation, ReaderSituation::ProtocolMismatch);
    EXPECT_EQ(check.readers[3].situation, ReaderSituation::Ready);
    EXPECT_TRUE(check.usable());

    CardDocument* const unusable[] = {&lost, &unopened};
    check = checkReaders(true, unusable);
    EXPECT_EQ(check.overall, ReaderSituation::CardRemoved);
    EXPECT_EQ(checkReaders(true, {}).overall, ReaderSituation::NoReaderListed);
    EXPECT_EQ(checkReaders(false, all).overall, ReaderSituation::PluginMissing);
}

TEST_F(ReaderCheckTest, TheReportHoldsTheAtrAndTheErrorButNoPin) {
    CardDocument card;
    card.reader = u"Virtual SIM Reader 0";
    card.cardPresent = true;
    card.cardAtr = u"3B80800101";
    card.lastError = static_cast<int32_t>(0x80100069);
    card.setPin1(u"2468");
    card.setPin2(u"1357");
    CardDocument* const cards[] = {&card};

    const std::u16string report =
        readerReport(checkReaders(true, cards), {u"2.1", u"2.1", u"1.9.9"});
    EXPECT_NE(report.find(u"Program 2.1, card plug-in 2.1, pcsc-lite 1.9.9"), std::u16string::npos);
    EXPECT_NE(report.find(u"Virtual SIM Reader 0\n  State: card ready\n"), std::u16string::npos);
    EXPECT_NE(report.find(u"ATR: 3B80800101 (offers T=0, T=1; T=0 present)"), std::u16string::npos);
    EXPECT_NE(report.find(u"Last error: 0x80100069"), std::u16string::npos);
    EXPECT_EQ(report.find(u"2468"), std::u16string::npos);
    EXPECT_EQ(report.find(u"1357"), std::u16string::npos);
}

} // namespace
} // namespace pelmora::model
