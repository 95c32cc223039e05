#pragma once
// The few settings the document model works with, taken from the settings
// record, so that the model's operations need no more than plain values.

#include "BookKind.h"
#include "FieldMatcher.h"
#include "PhoneBookFileOptions.h"
#include "PhoneBookFiles.h"
#include "Settings.h"

namespace pelmora::model {

[[nodiscard]] BookCapacities bookCapacities(const velmet::Capacities& capacities);
[[nodiscard]] PhoneBookFileOptions phoneBookFileOptions(const velmet::Settings& settings);
// The search of Find and Replace as the dialog last left it.
[[nodiscard]] SearchOptions searchOptions(const velmet::Settings& settings);

// A .csv saved with the separator keeps it as the LIST_SEPARATOR setting.
void rememberListSeparator(velmet::Settings& settings, const std::filesystem::path& file,
                           char16_t separator, const SaveOutcome& saved);

} // namespace pelmora::model
