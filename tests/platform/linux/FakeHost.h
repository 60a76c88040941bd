#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/HostSocket.h"

namespace sorvane::test {

// A stand-in for the running desktop host: listens at the real place, records
// each request line and answers with `answer` (or the window id for "window").
class FakeHost {
  public:
    explicit FakeHost(const std::string& folder, std::string answer = "ok")
        : listener_(HostListener::Open(folder)), answer_(std::move(answer)) {
        thread_ = std::thread([this] { Run(); });
    }
    ~FakeHost() {
        stop_ = true;
        thread_.join();
    }
    std::vector<std::string> Requests() {
        std::lock_guard lock(mutex_);
        return requests_;
    }

  private:
    void Run() {
        while (!stop_) {
            if (auto c = listener_->Accept()) {
                const auto line = c->ReadLine(5000);
                if (!line) continue;
                {
                    std::lock_guard lock(mutex_);
                    requests_.push_back(*line);
                }
                c->WriteLine(answer_);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    std::unique_ptr<HostListener> listener_;
    std::string answer_;
    std::thread thread_;
    std::atomic<bool> stop_ = false;
    std::mutex mutex_;
    std::vector<std::string> requests_;
};

}  // namespace sorvane::test
