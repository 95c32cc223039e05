#include "CardFixture.h"

using namespace virtualsim;

namespace cardtest {

namespace {

CardFile* addEf(CardFile& dir, std::unique_ptr<CardFile> ef, AccessConditions ac) {
    ef->setAccess(ac);
    return dir.addChild(std::move(ef));
}

AccessConditions conditions(uint8_t read, uint8_t update) {
    AccessConditions ac;
    ac.read = read;
    ac.update = update;
    return ac;
}

} // namespace

std::unique_ptr<CardState> makeCard() {
    auto mf = CardFile::makeDirectory(0x3F00, FileType::Mf);
    CardFile* iccid = addEf(*mf, CardFile::makeTransparent(0x2FE2, 10),
                            conditions(access::kAlways, access::kNever));
    const Bytes iccidBytes = {0x98, 0x10, 0x32, 0x54, 0x76, 0x98, 0x10, 0x32, 0x54, 0xF6};
    std::copy(iccidBytes.begin(), iccidBytes.end(), iccid->body().begin());

    CardFile* telecom = mf->addChild(CardFile::makeDirectory(0x7F10, FileType::Df));
    addEf(*telecom, CardFile::makeRecordFile(0x6F3A, EfStructure::LinearFixed, 28, 10),
          conditions(access::kChv1, access::kChv1));
    addEf(*telecom, CardFile::makeRecordFile(0x6F3B, EfStructure::LinearFixed, 28, 4),
          conditions(access::kChv1, access::kChv2));
    addEf(*telecom, CardFile::makeRecordFile(0x6F49, EfStructure::LinearFixed, 28, 3),
          conditions(access::kChv1, access::kAdm));
    CardFile* lnd = addEf(*telecom, CardFile::makeRecordFile(0x6F44, EfStructure::Cyclic, 28, 5),
                          conditions(access::kChv1, access::kChv1));
    // LND record k starts with the byte k, so order changes show.
    for (size_t k = 1; k <= lnd->recordCount(); ++k) {
        lnd->record(k)[0] = static_cast<uint8_t>(k);
    }

    CardFile* gsm = mf->addChild(CardFile::makeDirectory(0x7F20, FileType::Df));
    CardFile* imsi =
        addEf(*gsm, CardFile::makeTransparent(0x6F07, 9), conditions(access::kChv1, access::kAdm));
    const Bytes imsiBytes = {0x08, 0x29, 0x26, 0x10, 0x21, 0x43, 0x65, 0x87, 0x09};
    std::copy(imsiBytes.begin(), imsiBytes.end(), imsi->body().begin());
    AccessConditions all = conditions(access::kAlways, access::kAlways);
    all.increase = access::kAlways;
    all.invalidate = access::kAlways;
    all.rehabilitate = access::kAlways;
    CardFile* acm = addEf(*gsm, CardFile::makeRecordFile(0x6F39, EfStructure::Cyclic, 3, 4), all);
    acm->setIncreaseAllowed(true);
    for (size_t k = 1; k <= acm->recordCount(); ++k) {
        std::fill(acm->record(k).begin(), acm->record(k).end(), 0x00);
    }
    addEf(*gsm, CardFile::makeTransparent(0x6F45, 4), all)->setInvalidated(true);
    CardFile* bcch = addEf(*gsm, CardFile::makeTransparent(0x6F74, 4), all);
    bcch->setInvalidated(true);
    bcch->setReadableWhenInvalidated(true);
    CardFile* second = gsm->addChild(CardFile::makeDirectory(0x5F30, FileType::Df));
    addEf(*second, CardFile::makeTransparent(0x4F20, 2),
          conditions(access::kAlways, access::kAlways));

    mf->addChild(CardFile::makeDirectory(0x7F31, FileType::Df));

    auto state = std::make_unique<CardState>(std::move(mf));
    CardSecurity& security = state->security();
    security.chv(Chv::One) = SecretCode(*codeBlockFromText("1234"), 3, 3);
    security.unblockKey(Chv::One) = SecretCode(*codeBlockFromText("12345678"), 10, 10);
    security.chv(Chv::Two) = SecretCode(*codeBlockFromText("5678"), 3, 3);
    security.unblockKey(Chv::Two) = SecretCode(*codeBlockFromText("87654321"), 10, 10);
    return state;
}

namespace {
Bytes header(uint8_t ins, uint8_t p1, uint8_t p2, uint8_t p3) {
    return {0xA0, ins, p1, p2, p3};
}

Bytes codeBytes(std::string_view code) {
    Bytes block(8, 0xFF);
    for (size_t i = 0; i < code.size() && i < 8; ++i) {
        block[i] = static_cast<uint8_t>(code[i]);
    }
    return block;
}

Bytes withData(Bytes command, const Bytes& data) {
    command.insert(command.end(), data.begin(), data.end());
    return command;
}
} // namespace

Bytes select(uint16_t id) {
    return {0xA0, 0xA4, 0x00, 0x00, 0x02, static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id)};
}
Bytes getResponse(uint8_t length) {
    return header(0xC0, 0, 0, length);
}
Bytes status(uint8_t length) {
    return header(0xF2, 0, 0, length);
}
Bytes readBinary(uint16_t offset, uint8_t length) {
    return header(0xB0, static_cast<uint8_t>(offset >> 8), static_cast<uint8_t>(offset), length);
}
Bytes updateBinary(uint16_t offset, const Bytes& data) {
    return withData(header(0xD6, static_cast<uint8_t>(offset >> 8), static_cast<uint8_t>(offset),
                           static_cast<uint8_t>(data.size())),
                    data);
}
Bytes readRecord(uint8_t record, uint8_t mode, uint8_t length) {
    return header(0xB2, record, mode, length);
}
Bytes updateRecord(uint8_t record, uint8_t mode, const Bytes& data) {
    return withData(header(0xDC, record, mode, static_cast<uint8_t>(data.size())), data);
}
Bytes verify(int chv, std::string_view code) {
    return withData(header(0x20, 0, static_cast<uint8_t>(chv), 8), codeBytes(code));
}
Bytes change(int chv, std::string_view oldCode, std::string_view newCode) {
    return withData(withData(header(0x24, 0, static_cast<uint8_t>(chv), 16), codeBytes(oldCode)),
                    codeBytes(newCode));
}
Bytes disable(std::string_view code) {
    return withData(header(0x26, 0, 1, 8), codeBytes(code));
}
Bytes enable(std::string_view code) {
    return withData(header(0x28, 0, 1, 8), codeBytes(code));
}
Bytes unblock(int chv, std::string_view unblockCode, std::string_view newCode) {
    return withData(withData(header(0x2C, 0, chv == 1 ? 0x00 : 0x02, 16), codeBytes(unblockCode)),
                    codeBytes(newCode));
}
Bytes block(std::string_view code) {
    return codeBytes(code);
}
Bytes filled(size_t length, uint8_t value) {
    return Bytes(length, value);
}

uint16_t CardTest::send(const Bytes& command) {
    Bytes response = card->transmit(command);
    EXPECT_GE(response.size(), 2u);
    if (response.size() < 2) {
        return 0;
    }
    const uint16_t word =
        static_cast<uint16_t>(response[response.size() - 2] << 8 | response[response.size() - 1]);
    response.resize(response.size() - 2);
    data = std::move(response);
    return word;
}

uint16_t CardTest::selectPath(std::initializer_list<uint16_t> ids) {
    uint16_t word = 0;
    for (uint16_t id : ids) {
        word = send(select(id));
    }
    return word;
}

} // namespace cardtest
