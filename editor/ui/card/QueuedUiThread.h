#pragma once
// The card work's "post to the UI thread" hook in the window: a queued call
// into the event loop. Tasks still queued when the context goes are dropped.

#include "UiThread.h"

#include <QObject>

namespace pelmora::ui {

class QueuedUiThread final : public model::UiThread {
public:
    explicit QueuedUiThread(QObject& context) : m_context(context) {}
    void post(std::function<void()> task) override;

private:
    QObject& m_context;
};

} // namespace pelmora::ui
