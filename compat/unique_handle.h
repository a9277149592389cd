// One owner for one handle of any kind: a thread, a socket, a file, a registry key, a module, a
// GDI object. What the handle is and how it is given back is said by Traits:
//
//   struct Traits {
//     using Handle = ...;               // the handle's type
//     static Handle Empty();            // what holds nothing: null, INVALID_HANDLE_VALUE, ...
//     void Close(Handle handle) const;  // gives the handle back; never called with Empty()
//   };
//
// Traits may carry what closing needs besides the handle (the window a device context belongs
// to, a closing function found at run time); it moves with the handle. The owner is move-only,
// so a handle is closed once, by its last owner.
#pragma once

#include <utility>

template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle, Traits traits = Traits())
      : handle_(handle), traits_(std::move(traits)) {}
  UniqueHandle(UniqueHandle&& other) noexcept
      : handle_(other.release()), traits_(std::move(other.traits_)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      traits_ = std::move(other.traits_);
      handle_ = other.release();
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Empty(); }

  // Lets the handle go without closing it.
  Handle release() {
    const Handle handle = handle_;
    handle_ = Traits::Empty();
    return handle;
  }

  // Closes what is held, if anything, and holds `handle` instead. The new handle is in place
  // before the old one is closed, so nothing the closing sets off finds the old one here.
  void reset(Handle handle = Traits::Empty()) {
    const Handle old = handle_;
    handle_ = handle;
    if (old != Traits::Empty()) traits_.Close(old);
  }

 private:
  Handle handle_ = Traits::Empty();
  Traits traits_;
};
