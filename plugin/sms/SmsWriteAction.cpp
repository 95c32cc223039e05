#include "sms/SmsWriteAction.h"

#include "Brontel.h"

namespace brontel {

SmsWriteAction smsWriteAction(int32_t flags) {
    const uint32_t bits = static_cast<uint32_t>(flags);
    if ((bits & kSmsChanged) == 0) {
        return SmsWriteAction::Keep;
    }
    switch (bits & (kSmsUndelete | kSmsErase | kSmsDeleted)) {
    case kSmsUndelete:
        return SmsWriteAction::Undelete;
    case kSmsErase:
        return SmsWriteAction::Erase;
    case kSmsDeleted:
        return SmsWriteAction::Delete;
    default:
        return SmsWriteAction::NewMessage;
    }
}

} // namespace brontel
