// Reads and writes every book of the demo card (the test card that adds a USIM
// phone book of 250 entries to it) through the real PC/SC binding
// and the virtual SIM, and prints the commands each call sends against the
// least it could send (the selections of the two-call protocol and one READ
// or UPDATE RECORD per record), then the time with 5 ms of latency per command.

#include "Brontel.h"
#include "card/SIMCard.h"
#include "pcsc/Winscard.h"

#include "../virtualsim/VirtualSimControl.h"

#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using brontel::SIMCard;

struct Controls {
    decltype(&virtualsim_reader_name) reader_name = nullptr;
    decltype(&virtualsim_insert_card_text) insert_card_text = nullptr;
    decltype(&virtualsim_apdu_count) apdu_count = nullptr;
    decltype(&virtualsim_set_latency) set_latency = nullptr;
};

template <typename F> void bind(void* library, const char* name, F& f) {
    f = reinterpret_cast<F>(dlsym(library, name));
    if (f == nullptr) {
        std::fprintf(stderr, "libvirtualsim.so lacks %s\n", name);
        std::exit(1);
    }
}

struct Book {
    const char* name;
    int efId;
    // Least commands: MF, DF, EF and GET RESPONSE per call (the iDEN book: MF,
    // DF, and SELECT and GET RESPONSE per value file, then SELECT per value file;
    // the USIM book: MF, DF telecom, DF phonebook, EF PBR described and read,
    // EF ADN described).
    int readFloorBase;
    int writeFloorBase;
};

// The demo card with a USIM phone book, SDN writable by PIN1 (administrative
// on the card itself).
std::string demoProfile() {
    std::ifstream in(PELMORA_USIM_CARD, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string profile = text.str();
    const size_t sdn = profile.find("[3F00/7F10/6F49]");
    const size_t update = profile.find("Update=ADM", sdn);
    if (sdn != std::string::npos && update != std::string::npos) {
        profile.replace(update, 10, "Update=CHV1");
    }
    return profile;
}

struct Figures {
    int records = 0;
    size_t readCommands = 0;
    size_t writeCommands = 0;
    double readMs = 0;
    double writeMs = 0;
};

class Bench {
public:
    Bench() {
        void* library = dlopen(VIRTUALSIM_PATH, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            std::fprintf(stderr, "%s\n", dlerror());
            std::exit(1);
        }
        bind(library, "virtualsim_reader_name", m_controls.reader_name);
        bind(library, "virtualsim_insert_card_text", m_controls.insert_card_text);
        bind(library, "virtualsim_apdu_count", m_controls.apdu_count);
        bind(library, "virtualsim_set_latency", m_controls.set_latency);
        if (!brontel::load_winscard() ||
            brontel::winscard.SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr,
                                                    &m_context) != SCARD_S_SUCCESS) {
            std::fprintf(stderr, "no PC/SC binding\n");
            std::exit(1);
        }
        const std::string profile = demoProfile();
        char name[256] = {};
        if (m_controls.insert_card_text(0, profile.data(), profile.size()) != 0 ||
            m_controls.reader_name(0, name, sizeof name) < 0 ||
            !m_card.connect(&m_context,
                            std::u16string(name, name + std::char_traits<char>::length(name))) ||
            !m_card.verify_chv("1234", 1) || !m_card.verify_chv("5678", 2)) {
            std::fprintf(stderr, "the demo card does not answer\n");
            std::exit(1);
        }
    }

    Figures measure(const Book& book, unsigned latencyMs) {
        m_controls.set_latency(-1, latencyMs);
        Figures f;
        PhoneBookRequest request{};
        size_t start = m_controls.apdu_count(-1);
        auto begin = std::chrono::steady_clock::now();
        if (!get_phone_book(&m_card, book.efId, &request)) {
            std::fprintf(stderr, "%s: no description\n", book.name);
            std::exit(1);
        }
        std::vector<PhoneBookEntry> entries(static_cast<size_t>(request.count));
        request.entries = entries.data();
        if (!get_phone_book(&m_card, book.efId, &request)) {
            std::fprintf(stderr, "%s: read failed\n", book.name);
        }
        f.readMs = elapsedMs(begin);
        f.readCommands = m_controls.apdu_count(-1) - start;
        f.records = request.count;

        start = m_controls.apdu_count(-1);
        begin = std::chrono::steady_clock::now();
        if (!set_phone_book(&m_card, book.efId, &request)) {
            std::fprintf(stderr, "%s: write failed\n", book.name);
        }
        f.writeMs = elapsedMs(begin);
        f.writeCommands = m_controls.apdu_count(-1) - start;
        return f;
    }

private:
    static double elapsedMs(std::chrono::steady_clock::time_point begin) {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
            .count();
    }

    Controls m_controls;
    SCARDCONTEXT m_context = 0;
    SIMCard m_card;
};

} // namespace

int main() {
    setenv(brontel::kPcscLibraryVariable, VIRTUALSIM_PATH, 1);
    setenv("VIRTUALSIM_CARDS", "", 1);
    Bench bench;
    const Book books[] = {
        {"ADN", 0x6F3A, 4 + 4, 4},     {"FDN", 0x6F3B, 4 + 4, 4}, {"MSISDN", 0x6F40, 4 + 4, 4},
        {"LND", 0x6F44, 4 + 4, 4},     {"SDN", 0x6F49, 4 + 4, 4}, {"BDN", 0x6F4D, 4 + 4, 4},
        {"iDEN", 0, 8 + 8 + 3, 8 + 3}, {"USIM", kUsimPhoneBookId, 2 * 8, 8},
    };
    std::printf("%-7s %7s | %8s %6s %9s %9s | %8s %6s %9s %9s\n", "book", "records", "read",
                "floor", "per rec.", "5 ms: ms", "write", "floor", "per rec.", "5 ms: ms");
    for (const Book& book : books) {
        const Figures counted = bench.measure(book, 0);
        const Figures timed = bench.measure(book, 5);
        const int n = counted.records;
        std::printf("%-7s %7d | %8zu %6d %9.2f %9.0f | %8zu %6d %9.2f %9.0f\n", book.name, n,
                    counted.readCommands, book.readFloorBase + n,
                    n ? static_cast<double>(counted.readCommands) / n : 0.0, timed.readMs,
                    counted.writeCommands, book.writeFloorBase + n,
                    n ? static_cast<double>(counted.writeCommands) / n : 0.0, timed.writeMs);
    }
    return 0;
}
