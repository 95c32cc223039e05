#include "ProgressDialog.h"

#include "RememberedPlacement.h"
#include "UiText.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace pelmora::ui {

namespace {

constexpr int kTextCancel = 55;
constexpr int kTextCancelling = 705;
constexpr int kAnimationMs = 200;
// One icon's turn: it grows from 16 to 32 pixels and shrinks back.
constexpr std::array<int, 5> kFrameSizes = {16, 24, 32, 24, 16};
constexpr int kIconBox = 32;
constexpr int kJobIconSize = 32;

} // namespace

ProgressDialog::ProgressDialog(const ProgressLook& look, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), m_animationIcon(look.animationIcon) {
    setObjectName(QStringLiteral("7110"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("6106"));
    icon->setPixmap(look.icon.pixmap(kJobIconSize));
    icon->setAlignment(Qt::AlignTop);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("6101"));
    QFont bold = m_title->font();
    bold.setWeight(QFont::Bold);
    m_title->setFont(bold);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("6102"));
    m_status->setMinimumWidth(m_status->fontMetrics().averageCharWidth() * 40);

    auto* lines = new QVBoxLayout;
    lines->addWidget(m_title);
    lines->addWidget(m_status);
    if (look.style == ProgressStyle::Bar) {
        m_bar = new QProgressBar(this);
        m_bar->setObjectName(QStringLiteral("6103"));
        m_bar->setRange(0, 100);
        m_bar->setValue(0);
        lines->addWidget(m_bar);
    } else {
        auto* row = new QHBoxLayout;
        for (std::size_t i = 0; i < m_icons.size(); ++i) {
            m_icons[i] = new QLabel(this);
            m_icons[i]->setObjectName(QString::number(6110 + static_cast<int>(i)));
            m_icons[i]->setFixedSize(kIconBox, kIconBox);
            m_icons[i]->setAlignment(Qt::AlignCenter);
            m_icons[i]->setPixmap(m_animationIcon.pixmap(kFrameSizes.front()));
            row->addWidget(m_icons[i]);
        }
        row->addStretch(1);
        lines->addLayout(row);
        m_timer = new QTimer(this);
        m_timer->setInterval(kAnimationMs);
        connect(m_timer, &QTimer::timeout, this, &ProgressDialog::animate);
    }

    m_cancel = new QPushButton(text(kTextCancel), this);
    m_cancel->setObjectName(QStringLiteral("6105"));
    m_cancel->setVisible(look.cancellable);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    lines->addLayout(buttons);

    auto* page = new QHBoxLayout(this);
    page->addWidget(icon);
    page->addLayout(lines, 1);
    page->setSizeConstraint(QLayout::SetFixedSize);

    // Translucency needs a compositor; where the platform has none the
    // dialog simply stays opaque.
    if (look.opacity > 0 && look.opacity < 255)
        setWindowOpacity(look.opacity / 255.0);
}

void ProgressDialog::setTitle(const QString& title) {
    if (m_title->text() != title)
        m_title->setText(title);
}

void ProgressDialog::setStatus(const QString& status) {
    if (!m_cancelRequested)
        m_status->setText(status);
}

void ProgressDialog::setRange(int maximum) {
    if (m_bar != nullptr) {
        m_bar->setRange(0, std::max(maximum, 0));
        m_bar->setValue(0);
    }
}

void ProgressDialog::step() {
    if (m_bar != nullptr && m_bar->value() < m_bar->maximum())
        m_bar->setValue(m_bar->value() + 1);
}

void ProgressDialog::finish() {
    m_finished = true;
    if (m_timer != nullptr)
        m_timer->stop();
    QDialog::done(Accepted);
}

void ProgressDialog::showEvent(QShowEvent* event) {
    centreOnOwner(*this);
    if (m_timer != nullptr && !m_finished)
        m_timer->start();
    QDialog::showEvent(event);
}

void ProgressDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QDialog::mousePressEvent(event);
}

void ProgressDialog::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void ProgressDialog::reject() {
    // The dialog stays until the job has ended: Cancel and Escape only ask it
    // to stop.
    if (m_finished || m_cancelRequested || !m_cancel->isVisible())
        return;
    m_cancelRequested = true;
    m_cancel->setEnabled(false);
    m_status->setText(text(kTextCancelling));
    emit cancelRequested();
}

void ProgressDialog::animate() {
    const std::size_t current = static_cast<std::size_t>(m_frame) / kFrameSizes.size();
    const int size = kFrameSizes[static_cast<std::size_t>(m_frame) % kFrameSizes.size()];
    m_icons[current]->setPixmap(m_animationIcon.pixmap(size));
    m_frame = (m_frame + 1) % static_cast<int>(kFrameSizes.size() * m_icons.size());
}

} // namespace pelmora::ui
