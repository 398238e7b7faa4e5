#pragma once
// Work that waits until the handler running now has returned to the event loop.

#include <QObject>
#include <functional>
#include <utility>

namespace tamvek::qt {

// Runs `task` once the event loop is back, however often it is asked for
// before then; `queued` (owned by `context`) remembers that it is on its way.
inline void runOnceLater(QObject* context, bool& queued, std::function<void()> task) {
    if (queued) return;
    queued = true;
    QMetaObject::invokeMethod(
        context,
        [&queued, task = std::move(task)] {
            queued = false;
            task();
        },
        Qt::QueuedConnection);
}

}  // namespace tamvek::qt
