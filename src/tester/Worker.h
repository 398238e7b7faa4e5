#pragma once
// Work on a thread of its own, watched from another (the window's, which looks
// a few times a second): how many spins of how many it has played and whether
// it is still reading; a cancel, which the work hears between two names while
// reading and between two blocks of spins while playing; and at the end what
// it found, handed over once. A runner derives from it, keeps whatever else it
// shows of its progress, and starts its work in its constructor; its
// destructor stops the work first, as the work reads the runner's members.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

namespace tamvek::tester {

// `Found` has a `double seconds`, the time the work took, reading included.
template <class Found>
class Worker {
  public:
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    void cancel() { m_cancel = true; }
    bool cancelled() const { return m_cancel; }
    // True once take() returns without waiting.
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    // What the work found; call once. Waits for the end.
    Found take() {
        if (m_thread.joinable()) m_thread.join();
        return std::move(m_found);
    }

  protected:
    Worker() = default;
    ~Worker() { stop(); }

    // Runs `work` on the thread, which fills m_found; the time is added.
    void start(std::function<void()> work) {
        m_thread = std::thread([this, work = std::move(work)] {
            const auto began = std::chrono::steady_clock::now();
            work();
            m_found.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
            m_finished.store(true, std::memory_order_release);
        });
    }
    // Cancels and waits for the thread.
    void stop() {
        m_cancel = true;
        if (m_thread.joinable()) m_thread.join();
    }

    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_reading{true};
    std::atomic<std::uint64_t> m_done{0};
    std::atomic<std::uint64_t> m_total{0};
    Found m_found;  // the work's until it has finished

  private:
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};

}  // namespace tamvek::tester
