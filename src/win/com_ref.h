#pragma once
// One reference to a COM object, released when the owner goes.
#include <utility>

namespace wolumetr::win {

template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  // Takes over a reference the caller holds (does not add one).
  explicit ComRef(Interface* p) : p_(p) {}
  ComRef(const ComRef& other) : p_(other.p_) {
    if (p_ != nullptr) p_->AddRef();
  }
  ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComRef& operator=(ComRef other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComRef() {
    if (p_ != nullptr) p_->Release();
  }

  Interface* get() const { return p_; }
  Interface* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For functions that hand out a reference through an out parameter; drops the one held.
  Interface** put() {
    *this = ComRef();
    return &p_;
  }

 private:
  Interface* p_ = nullptr;
};

}  // namespace wolumetr::win
