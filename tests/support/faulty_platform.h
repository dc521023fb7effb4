#pragma once

#include "hid/platform.h"

#include <cerrno>
#include <cstdint>
#include <memory>
#include <mutex>
#include <random>

namespace vestrix::testing {

// Random faults from a seed, shared by the GUI thread and the readers.
class FaultDice {
 public:
  explicit FaultDice(std::uint64_t seed) : random_(seed) {}

  // The chance of a fault at each call; 0 stops the faults.
  void setRate(double rate) {
    std::lock_guard lock(mutex_);
    rate_ = rate;
  }
  bool fault() {
    std::lock_guard lock(mutex_);
    return rate_ > 0 && std::uniform_real_distribution<double>(0, 1)(random_) < rate_;
  }
  // One of the errors the kernel gives a HID node.
  int error() {
    static constexpr int kErrors[] = {EIO, ENODEV, EACCES, EAGAIN, EINTR, EPIPE, ENOENT};
    return kErrors[below(std::size(kErrors))];
  }
  std::size_t below(std::size_t n) {
    std::lock_guard lock(mutex_);
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
  }

 private:
  std::mutex mutex_;
  std::mt19937_64 random_;
  double rate_ = 0;
};

// A platform whose scans, opens, reads and writes fail at random points, as
// a real one does when a device goes away or the system refuses: calls
// return what the backends return for EIO, ENODEV, EACCES, EAGAIN, EINTR
// and short reads.
class FaultyPlatform : public hid::Platform {
 public:
  FaultyPlatform(hid::Platform& inner, std::uint64_t seed) : inner_(inner), dice_(std::make_shared<FaultDice>(seed)) {}

  void setFaultRate(double rate) { dice_->setRate(rate); }

  bool available() const override { return inner_.available(); }

  // A failing listing keeps what it found before the failure.
  std::vector<hid::PnpInfo> scan() override {
    std::vector<hid::PnpInfo> found = inner_.scan();
    if (dice_->fault()) found.resize(dice_->below(found.size() + 1));
    return found;
  }

  std::unique_ptr<hid::DeviceHandle> open(const hid::PnpInfo& device, hid::OpenMode mode) override {
    if (dice_->fault()) return nullptr;
    auto handle = inner_.open(device, mode);
    if (!handle) return nullptr;
    return std::make_unique<Handle>(std::move(handle), dice_);
  }

  std::unique_ptr<hid::ReadChannel> openRead(const hid::PnpInfo& device, int* error) override {
    if (dice_->fault()) {
      *error = dice_->error();
      return nullptr;
    }
    auto channel = inner_.openRead(device, error);
    if (!channel) return nullptr;
    return std::make_unique<Channel>(std::move(channel), dice_);
  }

  int handleGoneError() const override { return inner_.handleGoneError(); }
  void setChangeHandler(std::function<void()> handler) override { inner_.setChangeHandler(std::move(handler)); }

 private:
  class Handle : public hid::DeviceHandle {
   public:
    Handle(std::unique_ptr<hid::DeviceHandle> inner, std::shared_ptr<FaultDice> dice)
        : inner_(std::move(inner)), dice_(std::move(dice)) {}
    std::optional<hid::Attributes> attributes() override {
      if (dice_->fault()) return std::nullopt;
      return inner_->attributes();
    }
    std::optional<std::u16string> productString() override {
      if (dice_->fault()) return std::nullopt;
      return inner_->productString();
    }
    std::optional<hid::Caps> caps() override {
      if (dice_->fault()) return std::nullopt;
      return inner_->caps();
    }
    bool write(const std::uint8_t* data, std::size_t length) override {
      if (dice_->fault()) return false;
      return inner_->write(data, length);
    }

   private:
    std::unique_ptr<hid::DeviceHandle> inner_;
    std::shared_ptr<FaultDice> dice_;
  };

  class Channel : public hid::ReadChannel {
   public:
    Channel(std::unique_ptr<hid::ReadChannel> inner, std::shared_ptr<FaultDice> dice)
        : inner_(std::move(inner)), dice_(std::move(dice)) {}
    hid::ReadResult read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
      if (dice_->fault()) {
        hid::ReadResult failed;
        failed.kind = hid::ReadResult::Failed;
        failed.error = dice_->error();
        return failed;
      }
      hid::ReadResult result = inner_->read(buffer, length, timeoutMs);
      // A short read: the report cut anywhere, down to nothing.
      if (result.kind == hid::ReadResult::Data && dice_->fault()) result.bytes = dice_->below(result.bytes + 1);
      return result;
    }
    void cancel() override { inner_->cancel(); }

   private:
    std::unique_ptr<hid::ReadChannel> inner_;
    std::shared_ptr<FaultDice> dice_;
  };

  hid::Platform& inner_;
  std::shared_ptr<FaultDice> dice_;
};

}  // namespace vestrix::testing
