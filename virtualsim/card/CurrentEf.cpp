#include "CurrentEf.h"

namespace virtualsim {

namespace {
bool hasKind(const CardFile& ef, EfKind kind) {
    switch (kind) {
    case EfKind::Any:
        return true;
    case EfKind::Transparent:
        return ef.structure() == EfStructure::Transparent;
    case EfKind::Record:
        return ef.isRecordFile();
    case EfKind::LinearFixed:
        return ef.structure() == EfStructure::LinearFixed;
    case EfKind::Cyclic:
        return ef.structure() == EfStructure::Cyclic;
    }
    return false;
}
} // namespace

CurrentEf currentEf(CardState& state, EfKind kind, uint8_t AccessConditions::*condition,
                    bool usableWhenInvalidated) {
    CardFile* ef = state.selection().ef();
    if (!ef) {
        return {nullptr, sw::kNoEfSelected};
    }
    if (!hasKind(*ef, kind)) {
        return {nullptr, sw::kFileInconsistent};
    }
    if (!state.security().granted(ef->access().*condition)) {
        return {nullptr, sw::kAccessNotFulfilled};
    }
    if (ef->invalidated() && !usableWhenInvalidated && !ef->readableWhenInvalidated()) {
        return {nullptr, sw::kContradictsInvalidation};
    }
    return {ef, sw::kOk};
}

} // namespace virtualsim
