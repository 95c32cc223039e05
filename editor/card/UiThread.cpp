#include "UiThread.h"

#include <future>
#include <memory>

namespace pelmora::model {

bool askOnUiThread(UiThread& uiThread, const std::function<bool()>& ask) {
    auto answer = std::make_shared<std::promise<bool>>();
    std::future<bool> result = answer->get_future();
    uiThread.post([answer, ask] {
        try {
            answer->set_value(ask());
        } catch (...) {
            answer->set_exception(std::current_exception());
        }
    });
    return result.get();
}

void runOnUiThread(UiThread& uiThread, const std::function<void()>& task) {
    (void)askOnUiThread(uiThread, [&task] {
        task();
        return true;
    });
}

} // namespace pelmora::model
