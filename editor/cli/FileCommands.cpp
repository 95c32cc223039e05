// show, convert and sms: books of files, and the messages of a file or card.

#include "BookKind.h"
#include "BookListing.h"
#include "BookNames.h"
#include "CardAccess.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "Failure.h"
#include "Terminal.h"

namespace pelmora::cli {

int runShow(Session& session, const Arguments& arguments) {
    const std::filesystem::path file(arguments.positional().at(0));
    std::optional<uint16_t> only;
    if (const auto word = arguments.value("--book")) {
        only = parseBookName(*word, "show");
    }
    const std::unique_ptr<model::FileDocument> document = openBookFile(session, file);
    bool first = true;
    for (const auto& book : document->categories()) {
        if (only && book->kind() != *only) {
            continue;
        }
        if (!first) {
            printLine(std::string());
        }
        printBook(*book, session.settings().showDeletedSms);
        first = false;
    }
    if (only && first) {
        throw Failure("'" + file.string() + "' holds no " + bookLabel(*only) + " book");
    }
    return kExitOk;
}

int runConvert(Session& session, const Arguments& arguments) {
    const std::filesystem::path input(arguments.positional().at(0));
    const std::filesystem::path output(arguments.positional().at(1));
    requireBookFileExtension(output, "convert");
    const std::unique_ptr<model::FileDocument> document = openBookFile(session, input);
    saveBookFile(session, *document, output, arguments.has("--vcard4"));
    printLine("Saved to " + output.string());
    return kExitOk;
}

int runSms(Session& session, const Arguments& arguments) {
    const bool showDeleted = session.settings().showDeletedSms;
    if (!arguments.positional().empty()) {
        if (arguments.has("--reader")) {
            throw UsageError("name either a file or a reader", "sms");
        }
        const std::filesystem::path file(arguments.positional().front());
        const std::unique_ptr<model::FileDocument> document = openBookFile(session, file);
        const model::Category* messages = document->category(model::kBookSms);
        if (messages == nullptr) {
            throw Failure("'" + file.string() + "' holds no short messages");
        }
        printBook(*messages, showDeleted);
        return kExitOk;
    }
    CardAccess access(session, arguments, "sms", {.readAll = false});
    access.open();
    model::Category* messages = access.card().category(model::kBookSms);
    if (messages == nullptr) {
        throw Failure("the card in reader '" + access.readerName() + "' holds no short messages");
    }
    const model::CardReport report =
        access.wait(access.session().readSim(access.card(), messages, access.progress()));
    if (!report.opened) {
        access.failToOpen();
    }
    if (!report.ok()) {
        throw Failure("the card did not give its short messages in full");
    }
    printBook(*messages, showDeleted);
    return kExitOk;
}

} // namespace pelmora::cli
