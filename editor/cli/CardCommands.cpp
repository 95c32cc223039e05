// readers, info, read, write, backup and restore.

#include "BookNames.h"
#include "CardAccess.h"
#include "CardAnswerText.h"
#include "CardProperties.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "Failure.h"
#include "LangText.h"
#include "MisfitText.h"
#include "ReaderList.h"
#include "ReaderReport.h"
#include "Terminal.h"
#include "TextTable.h"
#include "WriteFailureText.h"

#include <fstream>

namespace pelmora::cli {

namespace {

using velmet::langText;

std::u16string withoutColon(std::u16string text) {
    if (!text.empty() && text.back() == u':') {
        text.pop_back();
    }
    return text;
}

constexpr int kIncompleteReadText = 355;
constexpr int kNotTakenText = 356;
constexpr int kNotWrittenText = 358;
constexpr int kWrittenWithoutText = 359;
constexpr int kNotWrittenFileText = 1254;

std::string bookList(const std::vector<uint16_t>& kinds) {
    std::string list;
    for (uint16_t kind : kinds) {
        list += (list.empty() ? "" : ", ") + bookLabel(kind);
    }
    return list;
}

SimInfo properties(CardAccess& access, int kind) {
    const auto read = access.properties(kind, false);
    if (!read->cardInfo()) {
        access.failToOpen();
    }
    return *read->cardInfo();
}

model::CardPropertyTexts propertyTexts(const SimInfo& info, const velmet::Settings& settings) {
    return model::cardPropertyTexts(info, std::filesystem::path(utf8(settings.operatorList)));
}

void addPinRows(TextTable& table, CardAccess& access, const model::CardPropertyTexts& t) {
    table.addRow({langText(191) + u":", access.card().reader});
    table.addRow({langText(102), t.pin1State});
    table.addRow({langText(97), t.pin1Attempts});
    table.addRow({langText(98), t.puk1Attempts});
    table.addRow({langText(99), t.pin2Attempts});
    table.addRow({langText(100), t.puk2Attempts});
}

void printCardProperties(CardAccess& access, const velmet::Settings& settings) {
    // A card that cannot be opened (PIN1 blocked, say) still tells the
    // states of its PINs and PUKs.
    const auto read = access.properties(-1, true);
    if (!read->report().opened || !read->cardInfo()) {
        if (read->cardInfo()) {
            TextTable table;
            addPinRows(table, access, propertyTexts(*read->cardInfo(), settings));
            table.print("");
        }
        access.failToOpen();
    }
    const model::CardPropertyTexts t = propertyTexts(*read->cardInfo(), settings);
    TextTable table;
    addPinRows(table, access, t);
    table.addRow({langText(106), t.atr});
    table.addRow({langText(101), t.iccid});
    table.addRow({langText(103), t.imsi});
    table.addRow({langText(104), t.serviceProvider});
    table.addRow({langText(107) + u":", t.phase});
    table.addRow({langText(105), t.network});
    table.print("");
}

void printBookProperties(CardAccess& access) {
    TextTable table;
    // The first column holds every kind of book, not only the phone book of text 112.
    table.addRow({u"Book", withoutColon(langText(113)), withoutColon(langText(114)),
                  withoutColon(langText(115)), withoutColon(langText(116)),
                  withoutColon(langText(117))});
    for (const auto& book : access.card().categories()) {
        const model::BookPropertyTexts t =
            model::bookPropertyTexts(properties(access, book->kind()), book->kind());
        table.addRow({utf16(bookLabel(book->kind())), t.kind, t.records, t.recordLength,
                      t.readCondition, t.updateCondition});
    }
    table.print("  ");
}

void printWriteFailure(const model::BookWriteFailure& failure) {
    for (const std::u16string& line :
         model::writeFailureTexts(failure, utf16(bookLabel(failure.kind)))) {
        printError(utf8(line));
    }
}

} // namespace

int runReaders(Session& session, const Arguments& arguments) {
    const Readers readers = findReaders(session.withPlugin());
    if (arguments.has("--verbose")) {
        const model::ReaderCheck check = checkReaders(readers);
        printLine(utf8(model::readerReport(check)));
        if (!check.usable()) {
            printError(utf8(check.advice()));
            return kExitFailed;
        }
        return kExitOk;
    }
    if (readers.cards.empty()) {
        printLine(std::string("No smart-card reader found."));
        return kExitOk;
    }
    TextTable table;
    for (const model::CardDocument* card : readers.cards) {
        table.addRow({card->reader, readers.holdsCard(*card) ? u"card" : u"no card"});
    }
    table.print("");
    return kExitOk;
}

int runInfo(Session& session, const Arguments& arguments) {
    CardAccess access(session, arguments, "info", {});
    printCardProperties(access, session.settings());
    printLine(std::string());
    printLine(std::string("Books:"));
    printBookProperties(access);
    if (const auto file = arguments.value("--save-info")) {
        if (!access.saveInfo(*file)) {
            throw Failure("cannot append the card's line to '" + *file + "'");
        }
        printLine("\nAppended the card's line to " + *file);
    }
    return kExitOk;
}

int runRead(Session& session, const Arguments& arguments) {
    const std::optional<std::string> named = arguments.value("--output");
    if (!named) {
        throw UsageError("name the file to write with -o FILE", "read");
    }
    const std::filesystem::path output(*named);
    requireBookFileExtension(output, "read");
    std::vector<uint16_t> wanted;
    if (const auto list = arguments.value("--books")) {
        wanted = parseBookList(*list, "read");
    }
    CardAccess access(session, arguments, "read", {.readAll = wanted.empty()});
    access.open();
    model::CardDocument& card = access.card();
    std::vector<model::Category*> books;
    for (uint16_t kind : wanted) {
        model::Category* book = card.category(kind);
        if (book == nullptr) {
            throw Failure("the card in reader '" + access.readerName() + "' has no " +
                          bookLabel(kind) + " book");
        }
        books.push_back(book);
    }
    if (books.empty()) {
        books.push_back(nullptr); // every book
    }
    std::vector<uint16_t> read;
    std::vector<uint16_t> failed;
    bool cardRemoved = false;
    for (model::Category* book : books) {
        const model::CardReport report =
            access.wait(access.session().readSim(card, book, access.progress()));
        if (!report.opened) {
            access.failToOpen();
        }
        read.insert(read.end(), report.done.begin(), report.done.end());
        failed.insert(failed.end(), report.failed.begin(), report.failed.end());
        cardRemoved = cardRemoved || report.cardRemoved;
        if (cardRemoved) {
            break;
        }
    }
    if (cardRemoved) {
        throw Failure(utf8(langText(
            kNotWrittenFileText,
            model::cardRemovedDuringReadText(utf16(bookList(read)), utf16(bookList(failed))),
            utf16(output.string()))));
    }
    if (!failed.empty()) {
        throw Failure(
            utf8(langText(kIncompleteReadText, utf16(bookList(failed)), utf16(output.string()))));
    }
    saveBookFile(session, card, output, arguments.has("--vcard4"));
    for (const auto& book : card.categories()) {
        if (book->slotCount() > 0) {
            printLine(bookLabel(book->kind()) + ": " + std::to_string(book->slotCount()) +
                      " records read");
        }
    }
    printLine("Saved to " + output.string());
    return kExitOk;
}

int runWrite(Session& session, const Arguments& arguments) {
    const std::filesystem::path input(arguments.positional().at(0));
    std::vector<uint16_t> wanted;
    if (const auto list = arguments.value("--books")) {
        wanted = parseBookList(*list, "write");
    }
    std::optional<uint16_t> csvBook;
    std::unique_ptr<model::FileDocument> document = openBookFile(session, input, &csvBook);
    // A .csv goes to the one book it holds, not to every book its open made.
    const std::vector<uint16_t> targets =
        wanted.empty() && csvBook ? std::vector<uint16_t>{*csvBook} : wanted;
    std::vector<model::Category*> books;
    for (uint16_t kind : targets) {
        model::Category* book = document->category(kind);
        if (book == nullptr) {
            throw Failure("'" + input.string() + "' holds no " + bookLabel(kind) + " book");
        }
        books.push_back(book);
    }
    if (books.empty()) {
        books.push_back(nullptr); // every book
    }
    if (arguments.has("--allow-empty") && wanted.empty()) {
        throw UsageError("--allow-empty needs --books naming the books to empty", "write");
    }
    CardAccess access(
        session, arguments, "write",
        {.cut = arguments.has("--cut"),
         .readAll = targets.empty(),
         .verify = arguments.has("--verify"),
         .mayEmpty = arguments.has("--allow-empty") ? wanted : std::vector<uint16_t>{}});
    model::CardDocument* const readers[] = {&access.card()};
    model::CardReport report;
    for (model::Category* book : books) {
        const model::CardReport one =
            access.wait(access.session().writeSim(*document, book, readers, access.progress()));
        if (!one.opened) {
            access.failToOpen();
        }
        report.opened = true;
        report.done.insert(report.done.end(), one.done.begin(), one.done.end());
        report.failed.insert(report.failed.end(), one.failed.begin(), one.failed.end());
        report.keptAsOnCard.insert(report.keptAsOnCard.end(), one.keptAsOnCard.begin(),
                                   one.keptAsOnCard.end());
        report.notAsWritten.insert(report.notAsWritten.end(), one.notAsWritten.begin(),
                                   one.notAsWritten.end());
        report.writeFailures.insert(report.writeFailures.end(), one.writeFailures.begin(),
                                    one.writeFailures.end());
        report.stopped = one.stopped;
        if (one.stopped) {
            break;
        }
    }
    bool refused = false;
    for (const CutBook& book : access.host().cutBooks()) {
        for (const model::Misfit& misfit : book.misfits) {
            const std::u16string text = model::misfitText(misfit);
            if (text.empty()) {
                continue;
            }
            const std::string line = bookLabel(book.kind) + ": " + utf8(text);
            if (book.cut) {
                printLine(line);
            } else {
                printError(line);
            }
        }
        std::string positions;
        for (size_t i = 0; i < book.slots.size() && i < 5; ++i) {
            positions += (i == 0 ? "" : ", ") + std::to_string(book.slots[i] + 1);
        }
        if (book.slots.size() > 5) {
            positions += ", ...";
        }
        const int count = static_cast<int>(book.slots.size());
        const std::string what = bookLabel(book.kind) + ": " +
                                 utf8(langText(book.cut ? kWrittenWithoutText : kNotWrittenText,
                                               count, utf16(positions)));
        if (book.cut) {
            printLine(what);
        } else {
            printError(what);
            refused = true;
        }
    }
    for (uint16_t kind : access.host().keptCardBooks()) {
        printError(utf8(langText(460, utf16(bookLabel(kind)), utf16(bookWord(kind)))));
        refused = true;
    }
    for (uint16_t kind : report.keptAsOnCard) {
        printLine(utf8(langText(461, utf16(bookLabel(kind)))));
    }
    for (uint16_t kind : report.done) {
        printLine(bookLabel(kind) + ": written");
    }
    for (const model::RecordNotAsWritten& book : report.notAsWritten) {
        printError(utf8(model::notAsWrittenText(book, utf16(bookLabel(book.kind)))));
    }
    if (!report.failed.empty()) {
        printError(utf8(langText(kNotTakenText, utf16(bookList(report.failed)))));
    }
    for (const model::BookWriteFailure& failure : report.writeFailures) {
        printWriteFailure(failure);
    }
    if (report.stopped) {
        access.fail("the card asked for a PIN that was not given");
    }
    return report.ok() && !refused ? kExitOk : kExitFailed;
}

int runBackup(Session& session, const Arguments& arguments) {
    const std::filesystem::path file(arguments.positional().at(0));
    CardAccess access(session, arguments, "backup", {});
    const model::CardReport report =
        access.wait(access.session().backupSim(access.card(), file, access.progress()));
    if (!report.opened) {
        access.failToOpen();
    }
    if (!report.ok()) {
        throw Failure("the backup of the card failed; '" + file.string() + "' was not written");
    }
    printLine("Backed up the card in reader '" + access.readerName() + "' to " + file.string());
    return kExitOk;
}

int runRestore(Session& session, const Arguments& arguments) {
    const std::filesystem::path file(arguments.positional().at(0));
    std::error_code error;
    if (!std::ifstream(file) || std::filesystem::is_directory(file, error)) {
        throw Failure("cannot read '" + file.string() + "'");
    }
    CardAccess access(session, arguments, "restore", {});
    const model::CardReport report =
        access.wait(access.session().restoreSim(access.card(), file, access.progress()));
    if (!report.opened) {
        access.failToOpen();
    }
    if (report.stopped) {
        // The PINs are asked for before the first record is written.
        printError("Nothing was restored: the card is as it was.");
        access.fail("the card asked for a PIN that was not given");
    }
    if (!report.ok()) {
        for (const model::BookWriteFailure& failure : report.writeFailures) {
            for (const std::u16string& line : model::restoreFailureTexts(failure)) {
                printError(utf8(line));
            }
        }
        throw Failure("restoring the card from '" + file.string() + "' failed");
    }
    printLine("Restored the card in reader '" + access.readerName() + "' from " + file.string());
    return kExitOk;
}

} // namespace pelmora::cli
