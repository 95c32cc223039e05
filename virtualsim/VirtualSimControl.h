#ifndef VIRTUALSIM_CONTROL_H
#define VIRTUALSIM_CONTROL_H
/*
 * The test-side controls of libvirtualsim.so, next to its PC/SC entry points.
 * A test loads the library (dlopen), binds these by name and plays the part
 * of the user and of the hardware: it inserts and pulls cards, plugs readers
 * in and out, slows the line down and makes chosen commands fail.
 *
 * Readers are addressed by their position in the reader list (0 = first);
 * removing a reader moves the ones after it up by one. Calls return 0 on
 * success and -1 on failure, with the reason in virtualsim_last_error().
 *
 * Every fault can also be set before the library starts, through the
 * environment, for programs run as separate processes:
 *   VIRTUALSIM_CARDS        profile paths separated by ":", one reader each;
 *                           an empty entry is a reader without a card
 *   VIRTUALSIM_PERSIST=1    save a card to its profile when its last
 *                           connection closes (and when it is removed)
 *   VIRTUALSIM_LATENCY_MS   delay added to every command, in milliseconds
 *   VIRTUALSIM_FAULTS       fault rules, see virtualsim_add_fault()
 *   VIRTUALSIM_TRACE        file that receives one line per command
 *   VIRTUALSIM_NO_SERVICE=1 the resource manager is not running
 *   VIRTUALSIM_NO_READERS=1 no reader is plugged in (VIRTUALSIM_CARDS is
 *                           ignored; the reader list is 0x8010002E)
 *   VIRTUALSIM_ATR          hex bytes every card answers reset with instead
 *                           of its own; any well-formed ATR, so a card that
 *                           offers only T=1 ("3B800181") can be played
 *   VIRTUALSIM_POWER_OFF_MS idle time after which an unused card is powered
 *                           down (its security state is lost); default 5000
 */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* --- the whole library --- */

/* Drops every context, connection, reader and fault, then starts again from
 * the environment as at load time. */
void virtualsim_reset(void);
/* Text of the last failed control call of this thread ("" when none). */
const char* virtualsim_last_error(void);

/* --- readers --- */

int virtualsim_reader_count(void);
/* Adds an empty reader at the end of the list. name NULL gives the next
 * "Virtual SIM Reader <n>". Returns its position, or -1. */
int virtualsim_add_reader(const char* name);
/* Unplugs the reader: its connections fail from then on. */
int virtualsim_remove_reader(int reader);
/* Renames a reader; any bytes but NUL, at most 127 (UTF-8 for real names). */
int virtualsim_rename_reader(int reader, const char* name);
/* Copies the reader's name (NUL-terminated) into name; returns its length
 * without the NUL, or -1. */
int virtualsim_reader_name(int reader, char* name, size_t capacity);

/* --- cards --- */

/* Inserts the card described by a profile file into an empty reader. */
int virtualsim_insert_card(int reader, const char* profilePath);
/* The same from profile text held in memory. */
int virtualsim_insert_card_text(int reader, const char* profileText, size_t length);

/* A card played by the test itself, for answers no faithful card gives. */
typedef struct VirtualSimCustomCard {
    const uint8_t* atr; /* copied when inserted */
    size_t atrLength;
    /* Answers one command: writes data followed by SW1 SW2 into response and
     * returns their length (at most capacity); 0 means the card stays mute. */
    size_t (*transmit)(void* user, const uint8_t* command, size_t commandLength, uint8_t* response,
                       size_t capacity);
    /* Power cycle; may be NULL. */
    void (*reset)(void* user);
    void* user;
} VirtualSimCustomCard;
int virtualsim_insert_custom_card(int reader, const VirtualSimCustomCard* card);

/* Takes the card out; the reader notices at once. */
int virtualsim_remove_card(int reader);
/* Pulls the card out while the reader has not noticed yet: the next command
 * fails with 0x80100016, after which the reader knows the card is gone and
 * later calls give 0x80100069. Left alone, the reader notices within 400 ms. */
int virtualsim_pull_card(int reader);
/* 1 when a card sits in the reader, 0 when not, -1 for no such reader. */
int virtualsim_card_present(int reader);

/* 1 saves cards to their profiles when their last connection closes. */
void virtualsim_set_persist(int persist);
/* Idle time after which an unused card is powered down. */
void virtualsim_set_power_off_delay(unsigned milliseconds);

/* --- faults --- */

/* Delay added to each command sent to the reader (-1: every reader). */
int virtualsim_set_latency(int reader, unsigned milliseconds);

/* Adds fault rules, separated by ";":
 *   <selector>[@<reader>][#<n>]=<action>
 * selector  the command's first bytes in hex ("A0DC" = UPDATE RECORD), or "*"
 * @reader   only commands sent to that reader
 * #n        only the n-th matching command from now (1 = the next one);
 *           without it, every matching command
 * action    4 hex digits: the card answers this status word, unexecuted;
 *           0x8010xxxx: the transmit fails with this PC/SC result, unsent;
 *           pull: the card is pulled just before this command;
 *           restart: the resource manager restarts just before this command
 *                    (contexts then behave as with virtualsim_restart_service(0));
 *           restart-invalidate: the same with mode 1;
 *           short:n: the card's own answer with only its first n data bytes
 *                    before the status word
 * Examples: "A0DC#2=6581"  "*#10=pull"  "A0B2@1=0x80100016"  "A0B2#3=short:4". */
int virtualsim_add_fault(const char* rules);
void virtualsim_clear_faults(void);

/* Restarts the resource manager: every connection is dropped, cards are
 * power-cycled and the contexts established before can no longer be used.
 * mode 0: as pcsc-lite clients see it: SCardIsValidContext still accepts
 *         the old context (it only checks locally), every other call made
 *         through it or its card handles gives 0x8010001D;
 * mode 1: the old contexts are refused everywhere with 0x80100003. */
void virtualsim_restart_service(int mode);
/* 0 stops the resource manager (new contexts get 0x8010001D and existing
 * ones behave as after a restart in mode 0), 1 starts it again. */
void virtualsim_set_service_running(int running);

/* --- observation --- */

/* Commands handed to the reader since the last clear (-1: all readers),
 * including those a fault rule answered. */
size_t virtualsim_apdu_count(int reader);

typedef struct VirtualSimApdu {
    int reader;
    long result;          /* the PC/SC result the transmit returned */
    size_t commandLength; /* full lengths; only the first bytes are kept */
    uint8_t command[261];
    size_t responseLength;
    uint8_t response[258];
} VirtualSimApdu;
/* The trace keeps the last 65536 commands of all readers, oldest first. */
size_t virtualsim_trace_size(void);
int virtualsim_trace_entry(size_t index, VirtualSimApdu* entry);
/* Empties the trace and sets the counts to 0. */
void virtualsim_clear_trace(void);

#ifdef __cplusplus
}
#endif

#endif
