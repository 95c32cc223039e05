#pragma once
// Plays the user at modal dialogs: each step runs once a modal dialog is
// shown (again), in order. A dialog that no step expects is closed after a
// while and counted, so a test never hangs on it.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

namespace pelmora::ui::testing {

class ModalScript : public QObject {
    Q_OBJECT

public:
    using Step = std::function<void(QWidget& dialog)>;

    ModalScript();
    void then(Step step) { m_steps.push_back(std::move(step)); }
    [[nodiscard]] bool finished() const { return m_steps.empty(); }
    [[nodiscard]] int unexpected() const { return m_unexpected; }
    // The object names of the dialogs the steps ran on, in order.
    [[nodiscard]] const QStringList& seen() const { return m_seen; }

private:
    void poll();

    std::deque<Step> m_steps;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    bool m_lastHidden = true;
    int m_idlePolls = 0;
    int m_unexpected = 0;
    QStringList m_seen;
};

// Types text into the dialog's child named name (a QLineEdit).
void type(QWidget& dialog, const char* name, const QString& text);
// Clicks the dialog's button named name ("1" OK, "1072" Cancel).
void click(QWidget& dialog, const char* name);

} // namespace pelmora::ui::testing
