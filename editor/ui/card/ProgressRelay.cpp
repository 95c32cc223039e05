#include "ProgressRelay.h"

#include "ProgressDialog.h"
#include "UiText.h"

#include <QMetaObject>

#include <thread>

namespace pelmora::ui {

ProgressRelay::ProgressRelay(ProgressDialog& dialog) : m_dialog(&dialog) {
    QObject::connect(&dialog, &ProgressDialog::cancelRequested, &dialog,
                     [this] { m_cancelled.store(true); });
}

template <typename Call> void ProgressRelay::post(Call call) {
    // A dialog that is gone drops the call.
    QMetaObject::invokeMethod(m_dialog, std::move(call), Qt::QueuedConnection);
}

void ProgressRelay::title(std::u16string_view text) {
    post([d = m_dialog, t = fromU16(text)] { d->setTitle(t); });
}

void ProgressRelay::status(std::u16string_view text) {
    post([d = m_dialog, t = fromU16(text)] { d->setStatus(t); });
}

void ProgressRelay::range(int maximum) {
    post([d = m_dialog, maximum] { d->setRange(maximum); });
}

void ProgressRelay::step() {
    post([d = m_dialog] { d->step(); });
}

void ProgressRelay::done() {
    post([d = m_dialog] { d->finish(); });
}

void runWithProgress(const ProgressLook& look, QWidget* owner,
                     const std::function<void(ProgressRelay&)>& work) {
    ProgressDialog dialog(look, owner);
    ProgressRelay relay(dialog);
    std::thread worker([&] {
        // Whatever happens in the work, the dialog must close, or the window
        // waits for ever.
        try {
            work(relay);
        } catch (...) {
        }
        relay.done();
    });
    dialog.exec();
    worker.join();
}

} // namespace pelmora::ui
