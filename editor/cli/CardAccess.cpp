#include "CardAccess.h"

#include "Failure.h"
#include "ReaderList.h"
#include "Terminal.h"

namespace pelmora::cli {

namespace {

PinSource pinSource(const Arguments& arguments) {
    if (arguments.has("--pin-stdin")) {
        return PinSource::Stdin;
    }
    return stdinIsTerminal() ? PinSource::Terminal : PinSource::None;
}

model::CardOptions cardOptions(const velmet::Settings& settings, bool readAll) {
    model::CardOptions options = model::cardOptions(settings);
    options.readWriteAll = readAll;
    return options;
}

} // namespace

CardAccess::CardAccess(Session& session, const Arguments& arguments, const std::string& command,
                       CardAccessOptions options)
    : m_calls(session.plugin()), m_prompter(pinSource(arguments), options.unblockType),
      m_progress(stderrIsTerminal()), m_host(m_card, options.cut),
      m_operations(m_calls, m_prompter, m_host, cardOptions(session.settings(), options.readAll)) {
    m_card.reader = chooseReader(m_calls, arguments.value("--reader"), command);
}

CardAccess::~CardAccess() {
    m_operations.closeCard(m_card);
}

std::string CardAccess::readerName() const {
    return utf8(m_card.reader);
}

void CardAccess::open() {
    model::CardDocument* const candidates[] = {&m_card};
    if (m_operations.openCard(candidates) == nullptr) {
        fail("the card in reader '" + readerName() + "' cannot be opened");
    }
}

void CardAccess::fail(const std::string& fallback) const {
    throw Failure(m_prompter.problem().empty() ? fallback : m_prompter.problem());
}

} // namespace pelmora::cli
