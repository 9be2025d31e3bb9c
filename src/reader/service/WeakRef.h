#pragma once

#include <memory>

// A base for interfaces that are held by plain pointer without being owned (listeners, hosts):
// a holder keeps a WeakRef, which reads null once the object is gone, so a late call is
// dropped instead of reaching freed memory. Main-thread use only.
class Watched {
public:
    Watched() = default;
    Watched(const Watched&) {}
    Watched& operator=(const Watched&) { return *this; }

protected:
    ~Watched() = default;

private:
    template <class> friend class WeakRef;
    std::shared_ptr<char> lifetime_ = std::make_shared<char>();
};

// A non-owning reference to a Watched object: get() is the object while it lives, else null.
template <class T> class WeakRef {
public:
    WeakRef() = default;
    WeakRef(T* target)
        : target_(target) {
        if (target)
            lifetime_ = static_cast<Watched*>(target)->lifetime_;
    }

    T* get() const { return lifetime_.expired() ? nullptr : target_; }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }
    // True when both name the same object, alive or not.
    bool refersTo(const T* other) const { return target_ == other && !lifetime_.expired(); }

private:
    T* target_ = nullptr;
    std::weak_ptr<char> lifetime_;
};
