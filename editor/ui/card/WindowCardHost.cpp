#include "WindowCardHost.h"

#include "BookKind.h"
#include "Prompts.h"
#include "ReaderChoiceDialog.h"
#include "UiText.h"

namespace pelmora::ui {

namespace {
constexpr int kTextDiscard = 707;
constexpr int kTextCut = 708;
} // namespace

void WindowCardHost::setRefreshControl(std::function<void()> stop, std::function<void()> restart) {
    m_stopRefresh = std::move(stop);
    m_restartRefresh = std::move(restart);
}

model::CardDocument*
WindowCardHost::chooseReader(const std::vector<model::CardDocument*>& readers) {
    QStringList names;
    for (const model::CardDocument* card : readers)
        names << fromU16(card->reader);
    const int row = ReaderChoiceDialog::choose(names, m_readerIcon, m_settings, m_owner);
    return row >= 0 && row < static_cast<int>(readers.size()) ? readers[static_cast<size_t>(row)]
                                                              : nullptr;
}

bool WindowCardHost::confirmDiscard(model::CardDocument& card) {
    return Prompts::ask(m_owner, QMessageBox::Question, text(kTextDiscard, card.reader),
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool WindowCardHost::confirmCut(uint16_t kind, const std::vector<int>& beyond) {
    const auto count = static_cast<int>(beyond.size());
    return Prompts::ask(
               m_owner, QMessageBox::Question, text(kTextCut, count, model::bookCaption(kind)),
               QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Yes;
}

void WindowCardHost::showError(std::u16string_view message) {
    Prompts::tell(m_owner, QMessageBox::Critical, fromU16(message));
}

void WindowCardHost::stopRefresh() {
    if (m_stopRefresh)
        m_stopRefresh();
}

void WindowCardHost::restartRefresh() {
    if (m_restartRefresh)
        m_restartRefresh();
}

} // namespace pelmora::ui
