#include "QueuedUiThread.h"

#include <QMetaObject>

namespace pelmora::ui {

void QueuedUiThread::post(std::function<void()> task) {
    QMetaObject::invokeMethod(&m_context, std::move(task), Qt::QueuedConnection);
}

} // namespace pelmora::ui
