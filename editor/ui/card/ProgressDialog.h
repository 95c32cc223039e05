#pragma once
// The card job's progress (7110): a bold title line, a status line, and a
// progress bar (reading and writing) or five icons that grow and shrink in
// turn (backup and restore). Slightly see-through, dragged by any point,
// centred on its owner. It closes itself when the job reports its end.

#include <QDialog>
#include <QIcon>

#include <array>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace pelmora::ui {

enum class ProgressStyle { Bar, Animation };

struct ProgressLook {
    ProgressStyle style = ProgressStyle::Bar;
    QIcon icon;          // shown beside the lines
    QIcon animationIcon; // the five icons of ProgressStyle::Animation
    int opacity = 235;   // 0..255, 0 for opaque
    bool cancellable = true;
};

class ProgressDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(ProgressDialog)

public:
    ProgressDialog(const ProgressLook& look, QWidget* owner);

    // UI thread; the job's worker reaches them through ProgressRelay.
    void setTitle(const QString& title);
    void setStatus(const QString& status);
    void setRange(int maximum);
    void step();
    // The job has ended: the dialog closes.
    void finish();

    [[nodiscard]] bool cancelPressed() const { return m_cancelRequested; }

signals:
    // Cancel was pressed: the job should stop at the next record.
    void cancelRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void reject() override;

private:
    void animate();

    QLabel* m_title = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    std::array<QLabel*, 5> m_icons{};
    QIcon m_animationIcon;
    QTimer* m_timer = nullptr;
    int m_frame = 0;
    QPoint m_dragOffset;
    bool m_cancelRequested = false;
    bool m_finished = false;
};

} // namespace pelmora::ui
