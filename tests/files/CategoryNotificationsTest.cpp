// Every path that changes a category tells its listeners what changed.

#include "AddPrefix.h"
#include "FileDocument.h"
#include "ClipboardText.h"
#include "ColumnSort.h"
#include "FindReplace.h"
#include "ModelTestSupport.h"
#include "RowEditing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace pelmora::model::test {
namespace {

struct Recorder : CategoryListener {
    std::vector<std::string> events;
    void slotsChanged(const Category&, int first, int last) override {
        events.push_back("changed " + std::to_string(first) + "-" + std::to_string(last));
    }
    void slotCountChanged(const Category&, uint32_t before, uint32_t after) override {
        events.push_back("count " + std::to_string(before) + "-" + std::to_string(after));
    }
    void slotsReset(const Category&) override { events.emplace_back("reset"); }
    void modifiedChanged(const Category&, bool modified) override {
        events.push_back(modified ? "modified" : "unmodified");
    }
};

// Slots: A 3, B 1, empty, C 2, empty, empty; unchanged.
void fill(Category& book) {
    ASSERT_TRUE(book.create(kBookAdn, 6));
    *book.entry(0) = makeEntry(u"A", u"3");
    *book.entry(1) = makeEntry(u"B", u"1");
    *book.entry(3) = makeEntry(u"C", u"2");
}

struct Case {
    const char* name;
    std::function<void(Category&)> act;
    std::vector<std::string> events;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"store", [](Category& b) { b.storeEntry(1, makeEntry(u"X")); },
         {"modified", "changed 1-1"}},
        {"compact", [](Category& b) { b.compact(); }, {"changed 2-3"}},
        {"sort", [](Category& b) { sortByColumn(b, SortColumn::Name, nullptr); },
         {"modified", "changed 0-3"}},
        {"paste", [](Category& b) { pasteRows(b, u"D,4\r\n", u',', {}, nullptr); },
         {"modified", "changed 2-2"}},
        {"replace",
         [](Category& b) { replaceNext(b, SearchOptions{u"B", true, true}, u"Z", nullptr); },
         {"modified", "changed 1-1"}},
        {"add prefix",
         [](Category& b) {
             const int slots[] = {0, 1};
             addPrefix(b, slots, u"+49", 0, nullptr);
         },
         {"modified", "changed 0-0", "changed 1-1"}},
        {"delete",
         [](Category& b) {
             const int slots[] = {0};
             deleteRows(b, slots, false, nullptr);
         },
         {"modified", "changed 0-0"}},
        {"move",
         [](Category& b) {
             const int slots[] = {0};
             moveRows(b, slots, MoveDirection::Down, false, nullptr);
         },
         {"modified", "changed 0-1"}},
        {"undo",
         [](Category& b) {
             b.storeEntry(3, makeEntry(u"Y"));
             b.markUnchanged();
             b.undo();
         },
         {"modified", "changed 3-3", "unmodified", "changed 3-3", "modified"}},
        {"redo",
         [](Category& b) {
             b.storeEntry(3, makeEntry(u"Y"));
             b.undo();
             b.redo();
         },
         {"modified", "changed 3-3", "changed 3-3", "changed 3-3"}},
        {"apply a read",
         [](Category& b) {
             Category staged(kBookAdn, 8);
             b.takeContents(staged);
         },
         {"count 6-8", "reset"}},
        {"resize", [](Category& b) { b.setCapacity(4); }, {"count 6-4"}},
        {"grow", [](Category& b) { b.grow(7); }, {"count 6-7"}},
        {"clear", [](Category& b) { b.clear(); }, {"reset"}},
        {"release", [](Category& b) { b.release(); }, {"count 6-0", "reset"}},
    };
    return all;
}

TEST(CategoryNotifications, EveryMutatingPathTellsItsSlotRange) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        Category book;
        fill(book);
        Recorder recorder;
        const Subscription subscription = book.subscribe(recorder);
        c.act(book);
        EXPECT_EQ(recorder.events, c.events);
    }
}

TEST(CategoryNotifications, ASubscriptionUnregistersAndMayOutliveItsCategory) {
    Recorder recorder;
    Subscription outliving;
    {
        Category book;
        fill(book);
        {
            const Subscription gone = book.subscribe(recorder);
        }
        outliving = book.subscribe(recorder);
        book.storeEntry(2, makeEntry(u"Q"));
    }
    outliving.reset();
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"modified", "changed 2-2"}));
}

TEST(CategoryNotifications, DocumentsTellAddedBooksAndTheirRelease) {
    struct Books : DocumentListener {
        int added = 0, releasing = 0;
        void categoryAdded(Document&, Category&) override { ++added; }
        void categoriesReleasing(Document& d) override { releasing += static_cast<int>(d.categories().size()); }
    } books;
    FileDocument document(u"x.phn");
    const Subscription subscription = document.subscribe(books);
    document.addCategory(kBookAdn, 2);
    document.addCategory(kBookSms, 2);
    document.releaseCategories();
    EXPECT_EQ(books.added, 2);
    EXPECT_EQ(books.releasing, 2);
}

} // namespace
} // namespace pelmora::model::test
