#include "CommandWait.h"

#include <QCoreApplication>

namespace pelmora::ui {

void waitUntilFinished(const model::CardCommand& command) {
    while (!command.finished())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                        QEventLoop::ExcludeUserInputEvents);
}

} // namespace pelmora::ui
