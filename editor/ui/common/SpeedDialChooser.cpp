#include "SpeedDialChooser.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace pelmora::ui {
namespace {
constexpr int kWatchMilliseconds = 100;
constexpr int kBoxLength = 9;
} // namespace

SpeedDialChooser::SpeedDialChooser(QWidget* parent)
    : QObject(parent), m_dropDown(new QComboBox(parent)) {
    m_dropDown->setObjectName(QStringLiteral("1090"));
    m_dropDown->hide();
    m_watch.setInterval(kWatchMilliseconds);
    connect(&m_watch, &QTimer::timeout, this, &SpeedDialChooser::watchFocus);
}

void SpeedDialChooser::open(QLineEdit* box, const std::vector<int>& freeNumbers) {
    close();
    m_box = box;
    m_dropDown->clear();
    m_dropDown->addItem(box->text());
    for (int number : freeNumbers) {
        m_dropDown->addItem(QString::number(number));
    }
    m_dropDown->setCurrentIndex(0);
    m_dropDown->setParent(box->parentWidget());
    m_dropDown->setGeometry(box->geometry());
    box->hide();
    m_dropDown->show();
    m_dropDown->raise();
    m_dropDown->setFocus(Qt::OtherFocusReason);
    m_watch.start();
}

void SpeedDialChooser::close() {
    m_watch.stop();
    if (m_box == nullptr) {
        return;
    }
    QLineEdit* box = m_box;
    m_box = nullptr;
    const QString choice = m_dropDown->currentText().left(kBoxLength);
    const bool changed = choice != box->text();
    if (changed) {
        box->setText(choice);
    }
    box->show();
    m_dropDown->hide();
    if (changed) {
        emit chosen(box);
    }
}

void SpeedDialChooser::watchFocus() {
    if (!m_dropDown->hasFocus() && !m_dropDown->view()->isVisible()) {
        close();
    }
}

} // namespace pelmora::ui
