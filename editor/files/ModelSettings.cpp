#include "ModelSettings.h"

#include <algorithm>

namespace pelmora::model {

namespace {

uint32_t slots(int capacity) {
    return static_cast<uint32_t>(std::clamp(capacity, 0, velmet::kMaxCapacity));
}

} // namespace

BookCapacities bookCapacities(const velmet::Capacities& c) {
    BookCapacities out;
    out.nextel = slots(c.nextel);
    out.adn = slots(c.adn);
    out.msisdn = slots(c.own);
    out.lnd = slots(c.ldn);
    out.fdn = slots(c.fdn);
    out.sdn = slots(c.sdn);
    out.bdn = slots(c.bdn);
    out.sms = slots(c.sms);
    return out;
}

PhoneBookFileOptions phoneBookFileOptions(const velmet::Settings& settings) {
    PhoneBookFileOptions options;
    options.allowEmptyNameContacts = settings.allowEmptyNameContacts;
    options.saveOnlyAdnCsv = settings.saveOnlyAdnCsv;
    options.saveCsvAnsi = settings.saveCsvAnsi;
    options.capacities = bookCapacities(settings.capacities);
    return options;
}

SearchOptions searchOptions(const velmet::Settings& settings) {
    return SearchOptions{settings.searchText, settings.matchCase, settings.matchWord};
}

void rememberListSeparator(velmet::Settings& settings, const std::filesystem::path& file,
                           char16_t separator, const SaveOutcome& saved) {
    if (!saved.error && isCsvFile(file)) {
        settings.listSeparator = std::u16string(1, separator);
    }
}

} // namespace pelmora::model
