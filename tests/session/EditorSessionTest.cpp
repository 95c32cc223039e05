// The session's documents and the reader refresh, whose changes land on the
// UI thread only.

#include "CardTestSupport.h"
#include "EditorSession.h"
#include "FileDocument.h"
#include "UiTaskQueue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace pelmora::model::test {
namespace {

velmet::SettingsPlaces placesInTemp() {
    velmet::SettingsPlaces places;
    places.settingsFile = std::filesystem::path(::testing::TempDir()) / "session-Velmet.ini";
    places.dataFolder = PELMORA_SOURCE_DATA;
    return places;
}

struct TreeRecorder : SessionListener {
    std::thread::id ui = std::this_thread::get_id();
    int offThread = 0;
    std::vector<std::string> events;
    void record(const char* what, Document& d) {
        offThread += std::this_thread::get_id() != ui ? 1 : 0;
        std::string name = what;
        if (d.kind() == DocumentKind::Card) {
            for (char16_t c : static_cast<CardDocument&>(d).reader) {
                name += static_cast<char>(c);
            }
        }
        events.push_back(name);
    }
    void documentAdded(Document& d, size_t) override { record("added ", d); }
    void documentRemoving(Document& d, size_t) override { record("removing ", d); }
    void documentChanged(Document& d) override { record("changed ", d); }
};

class Session : public ::testing::Test {
protected:
    void SetUp() override {
        standardCard();
        ASSERT_TRUE(bindFake(session.binding()));
        session.setFrontEnd({user, user, ui});
    }
    // One pass on the refresh worker, then its changes on this thread.
    void refreshOnWorker() {
        ASSERT_TRUE(session.startReaderRefresh());
        const size_t before = recorder.events.size();
        ui.runUntil([&] { return recorder.events.size() > before; });
        session.pauseReaderRefresh(); // waits for the pass, applies the rest
        session.resumeReaderRefresh();
    }

    EditorSession session{placesInTemp()};
    ScriptedUser user;
    UiTaskQueue ui;
    TreeRecorder recorder;
    Subscription subscription = session.subscribe(recorder);
};

TEST_F(Session, RefreshChangesAreAppliedOnTheUiThreadOnly) {
    refreshOnWorker();
    ASSERT_EQ(session.cardDocuments().size(), 1u);
    CardDocument& card = *session.cardDocuments().front();
    EXPECT_TRUE(card.cardPresent);

    fakeCard().readers = {u"Reader A", u"Reader B"};
    fakeCard().present = false;
    refreshOnWorker();
    EXPECT_FALSE(card.cardPresent);
    EXPECT_EQ(session.cardDocuments().size(), 2u);

    fakeCard().readers = {u"Reader B"};
    refreshOnWorker();
    ASSERT_EQ(session.cardDocuments().size(), 1u);
    EXPECT_EQ(session.cardDocuments().front()->reader, u"Reader B");
    EXPECT_EQ(recorder.offThread, 0);
    EXPECT_NE(std::find(recorder.events.begin(), recorder.events.end(), "removing Reader A"),
              recorder.events.end());
}

TEST_F(Session, ACardThatStopsAnsweringIsClosedByTheRefresh) {
    session.refreshReadersNow();
    CardDocument& card = *session.cardDocuments().front();
    user.pins = {u"1234"};
    ASSERT_NE(session.cardOperations().openThis(card), nullptr);
    fakeCard().failCardInfo = true;
    refreshOnWorker();
    EXPECT_EQ(card.connection, nullptr);
    EXPECT_FALSE(card.pin1().present());
}

TEST_F(Session, ADocumentACommandUsesIsLeftAloneAndCannotBeRemoved) {
    session.refreshReadersNow();
    CardDocument& card = *session.cardDocuments().front();
    user.pins = {u"1234"};
    SilentProgress progress;
    const auto command = session.readSim(card, nullptr, progress);
    EXPECT_TRUE(session.busy(card));
    EXPECT_FALSE(session.startReaderRefresh());
    EXPECT_FALSE(session.removeDocument(card));
    ui.runUntil([&] { return command->finished(); });
    EXPECT_FALSE(session.busy(card));
    EXPECT_TRUE(session.removeDocument(card));
}

TEST_F(Session, FileDocumentsKeepTreeOrderBesideTheCards) {
    session.refreshReadersNow();
    session.addDocument(std::make_unique<FileDocument>(u"a.phn"));
    fakeCard().readers = {u"Reader A", u"Reader B"};
    session.refreshReadersNow();
    ASSERT_EQ(session.documents().size(), 3u);
    EXPECT_EQ(session.documents()[1]->kind(), DocumentKind::File);
    EXPECT_EQ(session.cardDocument(u"reader b"), session.cardDocuments()[1]);
}

} // namespace
} // namespace pelmora::model::test
