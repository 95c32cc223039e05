#include "FileDescription.h"

namespace virtualsim {

namespace {
void putHeader(std::vector<uint8_t>& out, uint16_t sizeOrMemory, const CardFile& file) {
    out[2] = static_cast<uint8_t>(sizeOrMemory >> 8);
    out[3] = static_cast<uint8_t>(sizeOrMemory);
    out[4] = static_cast<uint8_t>(file.id() >> 8);
    out[5] = static_cast<uint8_t>(file.id());
    out[6] = static_cast<uint8_t>(file.type());
}
} // namespace

std::vector<uint8_t> FileDescription::directory(const CardFile& dir, const CardSecurity& security,
                                                uint8_t fileCharacteristics) {
    std::vector<uint8_t> out(kDirectoryLength, 0x00);
    putHeader(out, dir.freeMemory(), dir);
    // bytes 7..11 RFU
    out[12] = static_cast<uint8_t>(kDirectoryLength - 13); // length of the GSM data that follows
    out[13] = static_cast<uint8_t>((fileCharacteristics & ~kChv1DisabledBit) |
                                   (security.chv1Enabled() ? 0 : kChv1DisabledBit));
    out[14] = static_cast<uint8_t>(dir.directoryCount());
    out[15] = static_cast<uint8_t>(dir.elementaryFileCount());
    out[16] = security.codeCount();
    // byte 17 RFU
    out[18] = security.chv(Chv::One).statusByte();
    out[19] = security.unblockKey(Chv::One).statusByte();
    out[20] = security.chv(Chv::Two).statusByte();
    out[21] = security.unblockKey(Chv::Two).statusByte();
    return out;
}

std::vector<uint8_t> FileDescription::elementaryFile(const CardFile& ef) {
    std::vector<uint8_t> out(kElementaryFileLength, 0x00);
    putHeader(out, static_cast<uint16_t>(ef.size()), ef);
    // Byte 7 is RFU except for the INCREASE permission of a cyclic EF.
    if (ef.structure() == EfStructure::Cyclic && ef.increaseAllowed()) {
        out[7] = 0x40;
    }
    const AccessConditions& ac = ef.access();
    out[8] = static_cast<uint8_t>((ac.read << 4) | (ac.update & 0x0F));
    out[9] = static_cast<uint8_t>(ac.increase << 4); // low nibble RFU
    out[10] = static_cast<uint8_t>((ac.rehabilitate << 4) | (ac.invalidate & 0x0F));
    out[11] = static_cast<uint8_t>((ef.invalidated() ? 0x00 : 0x01) |
                                   (ef.readableWhenInvalidated() ? 0x04 : 0x00));
    out[12] = 2; // structure and record length follow
    out[13] = static_cast<uint8_t>(ef.structure());
    out[14] = ef.isRecordFile() ? static_cast<uint8_t>(ef.recordLength()) : 0x00;
    return out;
}

std::vector<uint8_t> FileDescription::of(const CardFile& file, const CardSecurity& security,
                                         uint8_t fileCharacteristics) {
    return file.isDirectory() ? directory(file, security, fileCharacteristics)
                              : elementaryFile(file);
}

} // namespace virtualsim
