#include "Commands.h"

#include <array>

namespace pelmora::cli {

namespace {

const OptionSpec kReader{"--reader", true, ""};
const OptionSpec kPinStdin{"--pin-stdin", false, ""};
const OptionSpec kVcard4{"--vcard4", false, ""};

const std::array<Command, 11> kCommands = {{
    {{"readers", {{"--verbose", false, "-v"}}, 0, 0},
     "readers [--verbose]",
     "list the smart-card readers and whether each holds a card",
     "Lists every reader the PC/SC service knows, with \"card\" or \"no card\".\n"
     "  -v, --verbose  a report for finding out why a reader does not work: the\n"
     "                versions, each reader's state, its card's ATR and what that\n"
     "                says, and the last error; when no reader can be used, what\n"
     "                to do about it (on standard error) and exit status 1",
     runReaders},
    {{"info", {kReader, kPinStdin, {"--save-info", true, ""}}, 0, 0},
     "info [--reader R] [--pin-stdin] [--save-info FILE.csv]",
     "show the card's properties and its books",
     "Shows the PIN1 check, the attempts left for PIN1, PUK1, PIN2 and PUK2, the ATR,\n"
     "ICCID, IMSI, service provider, phase and network of the card, then each book's\n"
     "file id, records, record length and access conditions. PIN1 is asked for when\n"
     "the card's PIN1 check is on.\n"
     "  --save-info FILE.csv  also append the card's line (ICCID, own number, service\n"
     "                        provider, IMSI, date and time) to FILE.csv",
     runInfo},
    {{"read", {kReader, kPinStdin, kVcard4, {"--books", true, ""}, {"--output", true, "-o"}}, 0, 0},
     "read [--reader R] [--pin-stdin] [--books LIST] [--vcard4] -o FILE",
     "read the card into a .phn, .csv or .vcf file",
     "Reads the card's books into FILE: a .phn file holds every book read, a .csv\n"
     "file the contacts of the phone book (and the iDEN book), a .vcf file the same\n"
     "contacts as vCards. FILE is written only once every book was read in full,\n"
     "and replaces an old file in one step.\n"
     "  --books LIST  only these books, comma-separated: iden, adn, msisdn, lnd, fdn,\n"
     "                sdn, bdn, sms, usim (default: every book of the card)\n"
     "  --vcard4      write a .vcf file as vCard 4.0 (default 3.0)\n"
     "  -o, --output FILE  the file to write (.phn, .csv or .vcf)",
     runRead},
    {{"write",
      {kReader,
       kPinStdin,
       {"--cut", false, ""},
       {"--books", true, ""},
       {"--allow-empty", false, ""},
       {"--verify", false, ""}},
      1,
      1},
     "write [--reader R] [--pin-stdin] [--books LIST] [--cut] [--allow-empty] [--verify] FILE",
     "write a .phn, .csv or .vcf file's books to the card",
     "Writes every book of FILE to the card, asking for the PINs the books' update\n"
     "conditions need (PIN2 for the fixed dialling numbers). A book with entries\n"
     "beyond the card's records is not written, and the command fails, unless\n"
     "--cut is given.\n"
     "A book of FILE that holds no entry is not written over a card book that holds\n"
     "entries, and the command fails, unless --books names it and --allow-empty is\n"
     "given.\n"
     "A .csv file holds one book: the ADN when its header has two columns, else the\n"
     "iDEN book; it is written to that book.\n"
     "  --books LIST  only these books of FILE, comma-separated (as for read)\n"
     "  --cut         write such books without the entries that do not fit\n"
     "  --allow-empty erase the card's entries of the empty books --books names\n"
     "  --verify      read each written record back and compare; a record the card\n"
     "                gives back otherwise fails the write, naming it",
     runWrite},
    {{"backup", {kReader, kPinStdin}, 1, 1},
     "backup [--reader R] [--pin-stdin] FILE",
     "copy the card's record files into a backup file",
     "Copies the card's record files into FILE. An existing FILE is replaced only by\n"
     "a complete backup.",
     runBackup},
    {{"restore", {kReader, kPinStdin}, 1, 1},
     "restore [--reader R] [--pin-stdin] FILE",
     "write a backup file back to the card",
     "Writes the records of the backup FILE back to the card. PIN2 is asked for\n"
     "when the backup holds books the card lets only PIN2 change (FDN, BDN).",
     runRestore},
    {{"pin", {kReader, kPinStdin}, 0, 99},
     "pin verify|change|unblock 1|2 [--reader R] [--pin-stdin]\n"
     "       velmet-cli pin enable|disable 1 [--reader R] [--pin-stdin]",
     "verify, change or unblock a PIN; switch the PIN1 check on or off",
     "  verify 1|2   check a PIN with the card\n"
     "  change 1|2   give a PIN a new value (changing PIN1 while its check is off\n"
     "               switches the check on: the card changes only a PIN in use)\n"
     "  unblock 1|2  give a blocked PIN a new value with its PUK\n"
     "  enable 1     switch the PIN1 check on; disable 1 switches it off\n"
     "PIN1 is asked for first whenever the card's PIN1 check is on. PINs and PUKs\n"
     "are never taken from the command line: they are typed without echo when\n"
     "asked, or with --pin-stdin read one per line from standard input in the order\n"
     "they are asked. A PIN refused by the card ends the command when it came from\n"
     "standard input, so that a script spends at most one attempt. A PIN is 4 to 8\n"
     "digits and a PUK 8 digits: anything else is refused before the card sees it.\n"
     "Blanks around a line of standard input are dropped.",
     runPin},
    {{"show", {{"--book", true, ""}}, 1, 1},
     "show FILE [--book KIND]",
     "print the books of a .phn, .csv or .vcf file",
     "Prints the used entries of every book of FILE as a table.\n"
     "  --book KIND  only this book: iden, adn, msisdn, lnd, fdn, sdn, bdn, sms or usim",
     runShow},
    {{"convert", {kVcard4}, 2, 2},
     "convert [--vcard4] IN OUT",
     "convert between .phn, .csv and .vcf",
     "Reads IN and writes its books to OUT, each in the format of its extension.\n"
     "A .csv file holds only the phone book and the iDEN book unless the setting\n"
     "SAVE_ONLY_ADN_CSV is 0; a .vcf file holds the contacts of those two books.\n"
     "  --vcard4  write a .vcf file as vCard 4.0 (default 3.0)",
     runConvert},
    {{"sms", {kReader, kPinStdin}, 0, 1},
     "sms FILE | sms [--reader R] [--pin-stdin]",
     "list the short messages of a .phn file or of the card",
     "Lists the messages of FILE, or of the card when no FILE is named. Messages\n"
     "deleted on the card are listed when the setting SHOW_DELETED_SMS is 1.",
     runSms},
    {{"print",
      {kReader, kPinStdin, {"--card", false, ""}, {"--book", true, ""}, {"--output", true, "-o"}},
      0,
      1},
     "print FILE | print --card [--reader R] [--pin-stdin] [--book KIND] -o OUT.pdf",
     "print a book of a .phn or .csv file or of the card to a PDF file",
     "Lays out one book as the editor prints it, with the print options saved by\n"
     "the editor's print setup (title, logo, header lines, page numbers), on A4\n"
     "pages of OUT.pdf. OUT.pdf is replaced only by a complete print.\n"
     "  --card       print the book of the card instead of a file's\n"
     "  --book KIND  the book: iden, adn, msisdn, lnd, fdn, sdn, bdn, sms or usim\n"
     "               (default: adn)\n"
     "  -o, --output OUT.pdf  the PDF file to write",
     runPrint},
}};

} // namespace

std::span<const Command> commands() {
    return kCommands;
}

const Command* findCommand(std::string_view name) {
    for (const Command& command : kCommands) {
        if (command.spec.name == name) {
            return &command;
        }
    }
    return nullptr;
}

} // namespace pelmora::cli
