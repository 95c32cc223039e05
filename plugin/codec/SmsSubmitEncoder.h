#pragma once
// A new outgoing message as an EF SMS record (TS 51.011 10.5.3): status "to be
// sent", no service-centre address, and an SMS-SUBMIT (3GPP TS 23.040 9.2.2.2)
// without validity period, header or status report.

#include "codec/EncodedBytes.h"

#include <cstddef>
#include <string_view>

namespace brontel::codec {

// A record of recordLength bytes, 0xFF after the message. An empty text gives a
// free record. Text beyond one message or the record, and a destination cut or
// stripped of characters, are reported; the cut message is still encoded.
EncodedBytes encodeSmsSubmitRecord(std::u16string_view text, std::u16string_view destination,
                                   size_t recordLength);

} // namespace brontel::codec
