// Owners for the handles the driver opens, and small Windows helpers.
#pragma once

#include <windows.h>

#include <string>

#include "tests/scenario/scenario.h"

namespace e2e {

class Handle {
 public:
  Handle() = default;
  explicit Handle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle(Handle&& o) noexcept : h_(o.h_) { o.h_ = nullptr; }
  Handle& operator=(Handle&& o) noexcept {
    if (this != &o) {
      Reset();
      h_ = o.h_;
      o.h_ = nullptr;
    }
    return *this;
  }
  ~Handle() { Reset(); }
  HANDLE get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset() {
    if (h_) CloseHandle(h_);
    h_ = nullptr;
  }

 private:
  HANDLE h_ = nullptr;
};

class Key {
 public:
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (h_) RegCloseKey(h_);
  }
  HKEY* out() { return &h_; }
  HKEY get() const { return h_; }

 private:
  HKEY h_ = nullptr;
};

template <class T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (p_) p_->Release();
  }
  void** out() { return reinterpret_cast<void**>(&p_); }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

// "text of the system message (code)".
std::string ErrorText(DWORD code);

HKEY RootKey(scenario::RegRoot root);
std::string KeyName(scenario::RegRoot root, const std::string& path);  // "HKLM\..."

bool SameNoCase(const std::string& a, const std::string& b);

std::wstring Wide(const std::string& text);

}  // namespace e2e
