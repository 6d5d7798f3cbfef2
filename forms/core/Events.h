// Events as method pointers: an (object, member function) pair that can be copied,
// called, tested for being assigned and compared for equality, so a component can
// tell whether a slot still holds its own handler.
#pragma once

#include <cstring>
#include <cstddef>
#include <utility>

class TObject;

template <class... Args>
class TEvent {
public:
  TEvent() = default;
  TEvent(std::nullptr_t) {}

  template <class C, class M>
  TEvent(C* object, void (M::*method)(Args...)) : data_(object), thunk_(&Call<C, M>) {
    using Method = void (M::*)(Args...);
    static_assert(sizeof(Method) <= sizeof code_, "member pointer too large");
    std::memcpy(code_, &method, sizeof(Method));
  }

  // A plain function with a data pointer, the form a callback with context takes.
  TEvent(void (*function)(void* data, Args...), void* data) : data_(data), thunk_(&CallPlain) {
    static_assert(sizeof(function) <= sizeof code_, "function pointer too large");
    std::memcpy(code_, &function, sizeof function);
  }

  explicit operator bool() const { return thunk_ != nullptr; }
  bool Assigned() const { return thunk_ != nullptr; }

  void operator()(Args... args) const { thunk_(data_, code_, std::forward<Args>(args)...); }

  // The bound object (or the plain function's data pointer).
  void* Data() const { return data_; }

  bool operator==(const TEvent& other) const {
    return thunk_ == other.thunk_ && data_ == other.data_ &&
           std::memcmp(code_, other.code_, sizeof code_) == 0;
  }
  bool operator!=(const TEvent& other) const { return !(*this == other); }
  bool operator==(std::nullptr_t) const { return thunk_ == nullptr; }
  bool operator!=(std::nullptr_t) const { return thunk_ != nullptr; }

private:
  using Thunk = void (*)(void*, const unsigned char*, Args...);

  template <class C, class M>
  static void Call(void* data, const unsigned char* code, Args... args) {
    void (M::*method)(Args...);
    std::memcpy(&method, code, sizeof method);
    (static_cast<C*>(data)->*method)(std::forward<Args>(args)...);
  }

  static void CallPlain(void* data, const unsigned char* code, Args... args) {
    void (*function)(void*, Args...);
    std::memcpy(&function, code, sizeof function);
    function(data, std::forward<Args>(args)...);
  }

  void* data_ = nullptr;
  Thunk thunk_ = nullptr;
  alignas(void*) unsigned char code_[2 * sizeof(void*)] = {};
};

// Binds a member function: MakeEvent(this, &TForm1::Button1Click).
template <class C, class M, class... Args>
TEvent<Args...> MakeEvent(C* object, void (M::*method)(Args...)) {
  return TEvent<Args...>(object, method);
}

using TNotifyEvent = TEvent<TObject*>;
