#include "PrintOptions.h"

namespace pelmora::print {

PrintOptions printOptions(const velmet::Settings& settings) {
    return {settings.printSource, settings.printProgramName, settings.printDate,
            settings.printPages,  settings.printTitle,       settings.printLogo};
}

void storePrintOptions(velmet::Settings& settings, const PrintOptions& options) {
    settings.printSource = options.sourceName;
    settings.printProgramName = options.programName;
    settings.printDate = options.dateTime;
    settings.printPages = options.pageNumbers;
    settings.printTitle = options.title.substr(0, kMaxTitleLength);
    settings.printLogo = options.logo;
}

} // namespace pelmora::print
