#pragma once
// What the card commands ask of the window: the reader to use, whether
// unsaved books may go, whether entries that do not fit may be cut, and the
// card's one error message. UI thread.

#include "CardOperations.h"
#include "Settings.h"

#include <QIcon>

#include <functional>

class QWidget;

namespace pelmora::ui {

class WindowCardHost : public model::CardHost {
public:
    WindowCardHost(QWidget* owner, velmet::Settings& settings)
        : m_owner(owner), m_settings(settings) {}

    void setReaderIcon(const QIcon& icon) { m_readerIcon = icon; }
    // The window's reader refresh, paused around card commands.
    void setRefreshControl(std::function<void()> stop, std::function<void()> restart);

    model::CardDocument* chooseReader(const std::vector<model::CardDocument*>& readers) override;
    bool confirmDiscard(model::CardDocument& card) override;
    bool confirmCut(uint16_t kind, const std::vector<int>& beyond) override;
    void showError(std::u16string_view text) override;
    void stopRefresh() override;
    void restartRefresh() override;

private:
    QWidget* m_owner;
    velmet::Settings& m_settings;
    QIcon m_readerIcon;
    std::function<void()> m_stopRefresh;
    std::function<void()> m_restartRefresh;
};

} // namespace pelmora::ui
