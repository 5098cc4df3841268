#pragma once
// A resumable sequence of values written as straight-line code: the function runs until
// its next co_yield and waits there until the caller asks for the next value. The
// preview's effects are written this way so that they read like the sign's own loop
// while the window drives them one frame at a time from its timer.

#include <coroutine>
#include <exception>
#include <utility>

template <typename T>
class CStepGenerator {
public:
    struct promise_type {
        T m_value{};
        CStepGenerator get_return_object()
        {
            return CStepGenerator(std::coroutine_handle<promise_type>::from_promise(*this));
        }
        std::suspend_always initial_suspend() noexcept { return {}; }
        std::suspend_always final_suspend() noexcept { return {}; }
        std::suspend_always yield_value(T value)
        {
            m_value = std::move(value);
            return {};
        }
        void return_void() {}
        // The steps never throw; a failure inside them is a programming error.
        void unhandled_exception() { std::terminate(); }
    };

    CStepGenerator() = default;
    CStepGenerator(CStepGenerator&& other) noexcept : m_handle(std::exchange(other.m_handle, {})) {}
    CStepGenerator& operator=(CStepGenerator&& other) noexcept
    {
        if (this != &other) {
            Destroy();
            m_handle = std::exchange(other.m_handle, {});
        }
        return *this;
    }
    CStepGenerator(const CStepGenerator&) = delete;
    CStepGenerator& operator=(const CStepGenerator&) = delete;
    ~CStepGenerator() { Destroy(); }

    // Runs to the next value; false once the sequence has ended.
    bool Resume()
    {
        if (!m_handle || m_handle.done()) return false;
        m_handle.resume();
        return !m_handle.done();
    }
    const T& Value() const { return m_handle.promise().m_value; }

private:
    explicit CStepGenerator(std::coroutine_handle<promise_type> h) : m_handle(h) {}
    void Destroy()
    {
        if (m_handle) m_handle.destroy();
        m_handle = {};
    }

    std::coroutine_handle<promise_type> m_handle;
};
