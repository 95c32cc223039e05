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

const model::CardOperations& cardOperations(model::EditorSession& session,
                                            const model::FrontEnd& frontEnd,
                                            const CardAccessOptions& options) {
    session.cardOptions().readWriteAll = options.readAll;
    session.cardOptions().verifyWrites = options.verify;
    session.setFrontEnd(frontEnd);
    return session.cardOperations();
}

} // namespace

CardAccess::CardAccess(Session& session, const Arguments& arguments, const std::string& command,
                       CardAccessOptions options)
    : m_session(session.withPlugin()), m_calls(m_session.plugin()),
      m_readers(findReaders(m_session)),
      m_card(chooseReader(m_readers, arguments.value("--reader"), command)),
      m_prompter(pinSource(arguments), options.unblockType), m_progress(stderrIsTerminal()),
      m_host(m_card, options.cut, options.mayEmpty),
      m_operations(cardOperations(m_session, {m_prompter, m_host, m_uiThread}, options)) {}

CardAccess::~CardAccess() {
    for (model::CardDocument* card : m_readers.cards) {
        m_operations.closeCard(*card);
    }
}

std::string CardAccess::readerName() const {
    return utf8(m_card.reader);
}

void CardAccess::open() {
    model::CardDocument* const candidates[] = {&m_card};
    if (m_operations.openCard(candidates) == nullptr) {
        failToOpen();
    }
}

model::CardReport CardAccess::wait(const std::shared_ptr<model::CardCommand>& command) {
    m_uiThread.runUntil([&] { return command->finished(); });
    return command->report();
}

bool CardAccess::pinFlow(model::PinFlowKind flow, int type) {
    model::SilentProgress silent;
    return wait(m_session.pinFlow(m_card, flow, type, silent)).ok();
}

std::shared_ptr<const model::CardCommand> CardAccess::properties(int kind, bool statesWhenClosed) {
    model::SilentProgress silent;
    auto command = m_session.readProperties(m_card, kind, statesWhenClosed, silent);
    (void)wait(command);
    return command;
}

bool CardAccess::saveInfo(const std::filesystem::path& file) {
    model::SilentProgress silent;
    return wait(m_session.saveInfo(m_card, file, silent)).ok();
}

void CardAccess::failToOpen() const {
    if (m_readers.holdsCard(m_card)) {
        fail("the card in reader '" + readerName() + "' cannot be opened");
    }
    const std::string why = openFailureAdvice(m_card);
    fail(why.empty() ? "there is no card in reader '" + readerName() + "'"
                     : "the card in reader '" + readerName() + "' cannot be opened. " + why);
}

void CardAccess::fail(const std::string& fallback) const {
    throw Failure(m_prompter.problem().empty() ? fallback : m_prompter.problem());
}

} // namespace pelmora::cli
