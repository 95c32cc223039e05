#include "FakePlugin.h"

#include "Records.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

namespace pelmora::model::test {

namespace {

FakeCard g_card;
int g_handle = 0;

std::u16string text(const char16_t* s) {
    return s == nullptr ? std::u16string() : std::u16string(s);
}

bool allowed(int condition) {
    switch (condition) {
    case 0:
        return true;
    case 1:
        return !g_card.pin1Enabled || g_card.pin1Verified;
    case 2:
        return g_card.pin2Verified;
    default:
        return false;
    }
}

bool connected(SimHandle h) {
    return h == &g_handle && g_card.present;
}

// Counts the call and notes the thread it came from.
void called(const std::string& name) {
    ++g_card.calls[name];
    g_card.callerThreads.insert(std::this_thread::get_id());
}

int fail(int error) {
    g_card.lastError = error;
    return 0;
}

int fakeEnumSim(uint32_t index, char16_t* buffer, uint32_t* length) {
    called("enum_sim");
    if (index >= g_card.readers.size() || *length <= g_card.readers[index].size()) {
        return 0;
    }
    std::copy(g_card.readers[index].begin(), g_card.readers[index].end(), buffer);
    buffer[g_card.readers[index].size()] = u'\0';
    *length = static_cast<uint32_t>(g_card.readers[index].size());
    return 1;
}

void fillInfo(SimInfo* info) {
    info->pin1Enabled = g_card.pin1Enabled ? 1 : 0;
    info->pin1Attempts = g_card.pin1Attempts;
    info->puk1Attempts = g_card.puk1Attempts;
    info->pin2Attempts = g_card.pin2Attempts;
    info->puk2Attempts = g_card.puk2Attempts;
    setFieldText(info->iccid, g_card.iccid);
    if (info->read_details != 0) {
        auto it = g_card.books.find(info->book_file);
        if (it != g_card.books.end()) {
            info->bookAttributes[0] = static_cast<int32_t>(it->second.records.size()) * 28;
            info->bookAttributes[3] = 28;
            info->bookAttributes[4] = it->second.readCondition;
            info->bookAttributes[5] = it->second.updateCondition;
        }
    }
}

int fakeConnectSim(const char16_t* reader, SimHandle* handle, SimInfo* info) {
    called("connect_sim");
    if (!g_card.present || g_card.readers.empty() || text(reader) != g_card.readers[0]) {
        return 0;
    }
    g_card.pin1Verified = g_card.pin2Verified = false;
    *handle = &g_handle;
    *info = SimInfo{};
    fillInfo(info);
    return 1;
}

int fakeDisconnectSim(SimHandle) {
    called("disconnect_sim");
    return 1;
}

int fakeGetLastError(SimHandle) {
    called("get_last_error");
    return g_card.lastError;
}

int fakeGetSimInfo(SimHandle h, SimInfo* info) {
    called("get_sim_info");
    if (g_card.throwInCardInfo) {
        throw std::runtime_error("card layer");
    }
    if (!connected(h) || g_card.failCardInfo) {
        return fail(0x80100069);
    }
    fillInfo(info);
    return 1;
}

int checkPin(const char16_t* given, const std::u16string& secret, int& attempts) {
    if (attempts <= 0) {
        return fail(-4);
    }
    if (text(given) != secret) {
        --attempts;
        return fail(-4);
    }
    attempts = 3;
    return 1;
}

int verifyPin(const char* name, SimHandle h, const char16_t* pin, int type) {
    called(name);
    if (!connected(h)) {
        return 0;
    }
    const int r = type == 2 ? checkPin(pin, g_card.pin2, g_card.pin2Attempts)
                            : checkPin(pin, g_card.pin1, g_card.pin1Attempts);
    (type == 2 ? g_card.pin2Verified : g_card.pin1Verified) = r != 0;
    return r;
}

int fakeVerifyPin1(SimHandle h, const char16_t* pin) {
    return verifyPin("verify_pin1", h, pin, 1);
}

int fakeVerifyPin2(SimHandle h, const char16_t* pin) {
    return verifyPin("verify_pin2", h, pin, 2);
}

int fakeEnablePin1(SimHandle h, const char16_t* pin) {
    called("enable_pin1");
    if (!connected(h) || g_card.pin1Enabled) {
        return 0;
    }
    const int r = checkPin(pin, g_card.pin1, g_card.pin1Attempts);
    if (r != 0) {
        g_card.pin1Enabled = true;
        g_card.pin1Verified = true;
    }
    return r;
}

int fakeDisablePin1(SimHandle h, const char16_t* pin) {
    called("disable_pin1");
    if (!connected(h) || !g_card.pin1Enabled) {
        return 0;
    }
    const int r = checkPin(pin, g_card.pin1, g_card.pin1Attempts);
    if (r != 0) {
        g_card.pin1Enabled = false;
    }
    return r;
}

int changeWith(const char16_t* old, const char16_t* fresh, std::u16string& secret, int& attempts) {
    const int r = checkPin(old, secret, attempts);
    if (r != 0) {
        secret = text(fresh);
    }
    return r;
}

int fakeChangePin1(SimHandle h, const char16_t* old, const char16_t* fresh) {
    called("change_pin1");
    return connected(h) && g_card.pin1Enabled
               ? changeWith(old, fresh, g_card.pin1, g_card.pin1Attempts)
               : 0;
}

int fakeChangePin2(SimHandle h, const char16_t* old, const char16_t* fresh) {
    called("change_pin2");
    return connected(h) ? changeWith(old, fresh, g_card.pin2, g_card.pin2Attempts) : 0;
}

int unblockWith(const char16_t* puk, const char16_t* fresh, const std::u16string& key,
                int& pukAttempts, std::u16string& pin, int& pinAttempts) {
    if (pukAttempts <= 0) {
        return fail(-4);
    }
    if (text(puk) != key) {
        --pukAttempts;
        return fail(-4);
    }
    pukAttempts = 10;
    pin = text(fresh);
    pinAttempts = 3;
    return 1;
}

int fakeUnblockPin1(SimHandle h, const char16_t* puk, const char16_t* fresh) {
    called("unblock_pin1");
    if (!connected(h)) {
        return 0;
    }
    const int r =
        unblockWith(puk, fresh, g_card.puk1, g_card.puk1Attempts, g_card.pin1, g_card.pin1Attempts);
    g_card.pin1Verified = r != 0;
    return r;
}

int fakeUnblockPin2(SimHandle h, const char16_t* puk, const char16_t* fresh) {
    called("unblock_pin2");
    if (!connected(h)) {
        return 0;
    }
    return unblockWith(puk, fresh, g_card.puk2, g_card.puk2Attempts, g_card.pin2,
                       g_card.pin2Attempts);
}

// The book the call may work on; nullptr (and the card's error) when it may not.
FakeBook* usableBook(SimHandle h, int kind, bool update) {
    if (!connected(h)) {
        fail(0x80100069);
        return nullptr;
    }
    auto it = g_card.books.find(kind);
    if (it == g_card.books.end()) {
        fail(-6); // file not found
        return nullptr;
    }
    if (!allowed(update ? it->second.updateCondition : it->second.readCondition)) {
        fail(-10);
        return nullptr;
    }
    return &it->second;
}

int fakeGetPhoneBook(SimHandle h, int kind, PhoneBookRequest* request) {
    called("get_phone_book");
    FakeBook* found = usableBook(h, kind, false);
    if (found == nullptr) {
        return 0;
    }
    const FakeBook& book = *found;
    request->fileSize = static_cast<int32_t>(book.records.size()) * 28;
    request->recordLength = 28;
    request->readCondition = book.readCondition;
    request->updateCondition = book.updateCondition;
    if (request->entries == nullptr) {
        request->count = static_cast<int32_t>(book.records.size());
        return 1;
    }
    const int n = std::min<int>(request->count, static_cast<int>(book.records.size()));
    for (int i = 0; i < n; ++i) {
        request->entries[i] = book.records[i];
        if (request->progress != nullptr) {
            request->progress(i + 1, n, request->entries[i].name, request->entries[i].value0,
                              request->user);
        }
        if (g_card.onRecord) {
            g_card.onRecord(i + 1);
        }
    }
    return 1;
}

int fakeSetPhoneBook(SimHandle h, int kind, PhoneBookRequest* request) {
    called("set_phone_book");
    FakeBook* found = usableBook(h, kind, true);
    if (found == nullptr) {
        return 0;
    }
    FakeBook& book = *found;
    const int n = std::min<int>(request->count, static_cast<int>(book.records.size()));
    for (int i = 0; i < n; ++i) {
        book.records[i] = request->entries[i];
        if (request->progress != nullptr) {
            request->progress(i + 1, n, request->entries[i].name, request->entries[i].value0,
                              request->user);
        }
        if (g_card.onRecord) {
            g_card.onRecord(i + 1);
        }
    }
    return 1;
}

int fakeGetNextel(SimHandle h, int, PhoneBookRequest* request) {
    called("get_nextel_phone_book");
    return fakeGetPhoneBook(h, 0, request);
}

int fakeSetNextel(SimHandle, int, PhoneBookRequest*) {
    called("set_nextel_phone_book");
    return 0;
}

// A card without messages, and backups that only the real plug-in makes.
int fakeGetSms(SimHandle, SmsRequest*) {
    called("get_sms");
    return fail(-6);
}

int fakeSetSms(SimHandle, SmsRequest*) {
    called("set_sms");
    return 0;
}

int fakeBackupSim(SimHandle, int, const char16_t*, BackupCallback, intptr_t) {
    called("backup_sim");
    return 0;
}

int fakeRestoreSim(SimHandle, const char16_t*, BackupCallback, intptr_t) {
    called("restore_sim");
    if (g_card.onRestore) {
        g_card.onRestore();
    }
    return 0;
}

void* address(const std::string& name) {
    static const std::map<std::string, void*> table = {
        {"enum_sim", reinterpret_cast<void*>(&fakeEnumSim)},
        {"connect_sim", reinterpret_cast<void*>(&fakeConnectSim)},
        {"disconnect_sim", reinterpret_cast<void*>(&fakeDisconnectSim)},
        {"enable_pin1", reinterpret_cast<void*>(&fakeEnablePin1)},
        {"disable_pin1", reinterpret_cast<void*>(&fakeDisablePin1)},
        {"verify_pin1", reinterpret_cast<void*>(&fakeVerifyPin1)},
        {"change_pin1", reinterpret_cast<void*>(&fakeChangePin1)},
        {"unblock_pin1", reinterpret_cast<void*>(&fakeUnblockPin1)},
        {"verify_pin2", reinterpret_cast<void*>(&fakeVerifyPin2)},
        {"change_pin2", reinterpret_cast<void*>(&fakeChangePin2)},
        {"unblock_pin2", reinterpret_cast<void*>(&fakeUnblockPin2)},
        {"get_phone_book", reinterpret_cast<void*>(&fakeGetPhoneBook)},
        {"set_phone_book", reinterpret_cast<void*>(&fakeSetPhoneBook)},
        {"get_nextel_phone_book", reinterpret_cast<void*>(&fakeGetNextel)},
        {"set_nextel_phone_book", reinterpret_cast<void*>(&fakeSetNextel)},
        {"get_sim_info", reinterpret_cast<void*>(&fakeGetSimInfo)},
        {"get_sms", reinterpret_cast<void*>(&fakeGetSms)},
        {"set_sms", reinterpret_cast<void*>(&fakeSetSms)},
        {"backup_sim", reinterpret_cast<void*>(&fakeBackupSim)},
        {"restore_sim", reinterpret_cast<void*>(&fakeRestoreSim)},
        {"get_last_error", reinterpret_cast<void*>(&fakeGetLastError)},
    };
    auto it = table.find(name);
    return it == table.end() ? nullptr : it->second;
}

} // namespace

FakeCard& fakeCard() {
    return g_card;
}

void resetFakeCard() {
    g_card = FakeCard{};
}

bool bindFake(PluginBinding& binding, const std::string& without) {
    return binding.bindResolver(
        [without](const char* name) -> void* { return name == without ? nullptr : address(name); });
}

} // namespace pelmora::model::test
