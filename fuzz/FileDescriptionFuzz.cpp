// The file description of a SELECT or GET RESPONSE answer, from any bytes.
#include "FuzzSupport.h"

#include "card/FileDescription.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto answer = pelmora::fuzz::bytesOf(data + 1, size - 1);
    brontel::SimFileInfo info;
    info.length = data[0];
    (void)brontel::parse_file_description(answer, info);
    brontel::SimFileInfo fields;
    fields.length = data[0];
    (void)brontel::read_description_fields(answer, fields);
    (void)info.recordCount();
    return 0;
}
