// A COM interface pointer that holds one reference: a copy takes one of its own, and the last
// holder releases it. It asks nothing of the interface but AddRef and Release, so it needs no
// Windows header of its own.
#pragma once

#include <cstddef>

template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Shares `pointer`: takes a reference of its own.
  explicit ComPtr(Interface* pointer) : pointer_(pointer) {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.pointer_) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
  ComPtr& operator=(const ComPtr& other) { return *this = other.pointer_; }
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Interface* taken = other.pointer_;
      other.pointer_ = nullptr;
      reset();
      pointer_ = taken;
    }
    return *this;
  }
  // Shares `pointer`: its reference is taken before the one held so far is released.
  ComPtr& operator=(Interface* pointer) {
    if (pointer != nullptr) pointer->AddRef();
    reset();
    pointer_ = pointer;
    return *this;
  }
  ~ComPtr() { reset(); }

  // Takes over a reference the caller already holds, such as a new object's first.
  static ComPtr Adopt(Interface* pointer) {
    ComPtr held;
    held.pointer_ = pointer;
    return held;
  }

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // Releases the reference held, if any. The pointer is cleared first, so nothing the release
  // sets off (an object going away calls back into its host) finds it here.
  void reset() {
    Interface* held = pointer_;
    pointer_ = nullptr;
    if (held != nullptr) held->Release();
  }

  // Where a call that hands out a new reference (CoCreateInstance, QueryInterface) puts it;
  // anything held is released first.
  Interface** put() {
    reset();
    return &pointer_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }

 private:
  Interface* pointer_ = nullptr;
};
