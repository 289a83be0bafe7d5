#pragma once
// A counter shared with the timer thread. Single aligned words with relaxed
// ordering: a reader may see a value one tick old, never a torn one, and
// every read goes to memory (busy waits depend on that).
#include <atomic>

template <typename T> struct counter {
    std::atomic<T> v;
    constexpr counter(T init = 0) noexcept : v(init) {}
    operator T() const { return v.load(std::memory_order_relaxed); }
    counter& operator=(T x) {
        v.store(x, std::memory_order_relaxed);
        return *this;
    }
    T operator++() { return (T)(v.fetch_add(1, std::memory_order_relaxed) + 1); }
    T operator--() { return (T)(v.fetch_sub(1, std::memory_order_relaxed) - 1); }
};
