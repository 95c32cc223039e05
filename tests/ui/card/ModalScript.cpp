#include "ModalScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>

namespace pelmora::ui::testing {

namespace {
constexpr int kPollMs = 10;
constexpr int kUnexpectedAfterPolls = 200;
} // namespace

ModalScript::ModalScript() {
    connect(&m_timer, &QTimer::timeout, this, &ModalScript::poll);
    m_timer.start(kPollMs);
}

void ModalScript::poll() {
    if (m_last != nullptr && !m_last->isVisible())
        m_lastHidden = true;
    QWidget* shown = QApplication::activeModalWidget();
    if (shown == nullptr || !shown->isVisible() || (shown == m_last && !m_lastHidden)) {
        m_idlePolls = 0;
        return;
    }
    if (m_steps.empty()) {
        if (++m_idlePolls > kUnexpectedAfterPolls) {
            ++m_unexpected;
            m_idlePolls = 0;
            if (auto* dialog = qobject_cast<QDialog*>(shown))
                dialog->done(QDialog::Rejected);
        }
        return;
    }
    m_last = shown;
    m_lastHidden = false;
    // A dialog that is closed and shown again between two polls still counts
    // as shown again.
    if (auto* dialog = qobject_cast<QDialog*>(shown))
        connect(
            dialog, &QDialog::finished, this, [this] { m_lastHidden = true; },
            Qt::SingleShotConnection);
    m_seen << shown->objectName();
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    step(*shown);
}

void type(QWidget& dialog, const char* name, const QString& text) {
    auto* field = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    QVERIFY2(field != nullptr, name);
    QTest::keyClicks(field, text);
}

void click(QWidget& dialog, const char* name) {
    auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(button != nullptr, name);
    button->click();
}

} // namespace pelmora::ui::testing
