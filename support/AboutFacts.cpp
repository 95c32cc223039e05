#include "AboutFacts.h"

#include "Folders.h"

#include <QtGlobal>

#include <system_error>

namespace pelmora::qulvio {

AboutFacts currentAboutFacts() {
    AboutFacts facts{QULVIO_PROGRAM_NAME,
                     QULVIO_PROGRAM_VERSION,
                     QULVIO_LICENCE,
                     QULVIO_PLUGIN_VERSION,
                     qVersion(),
                     QULVIO_PCSC_VERSION,
                     {}};
    // Found like the editor's other shipped files: beside the program, else
    // in the installed data folder.
    const std::filesystem::path manual = platform::dataFile("manual/index.html");
    std::error_code error;
    if (std::filesystem::is_regular_file(manual, error)) {
        facts.manual = std::filesystem::absolute(manual, error);
    }
    return facts;
}

} // namespace pelmora::qulvio
