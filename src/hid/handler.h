#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace vestrix::hid {

// An event handler: empty, or a callable bound to an object. Two handlers
// have the same function part when they call the same method (whatever the
// object) or are copies of the same callable; the controller compares
// handlers by that part only.
template <class Signature>
class Handler;

template <class R, class... Args>
class Handler<R(Args...)> {
 public:
  Handler() = default;

  // A handler that calls Method on obj.
  template <auto Method, class Obj>
  static Handler bind(Obj* obj) {
    static const char methodTag = 0;
    return Handler(&methodTag, nullptr,
                   [obj](Args... args) -> R { return (obj->*Method)(std::forward<Args>(args)...); });
  }

  // A handler around any callable; its copies share one function part.
  template <class F>
  static Handler from(F&& callable) {
    auto tag = std::make_shared<const char>(0);
    const char* key = tag.get();
    return Handler(key, std::move(tag), std::function<R(Args...)>(std::forward<F>(callable)));
  }

  explicit operator bool() const { return static_cast<bool>(call_); }
  bool sameFunction(const Handler& other) const { return key_ == other.key_; }

  R operator()(Args... args) const { return call_(std::forward<Args>(args)...); }

 private:
  Handler(const void* key, std::shared_ptr<const char> owner, std::function<R(Args...)> call)
      : key_(key), owner_(std::move(owner)), call_(std::move(call)) {}

  const void* key_ = nullptr;
  std::shared_ptr<const char> owner_;
  std::function<R(Args...)> call_;
};

}  // namespace vestrix::hid
