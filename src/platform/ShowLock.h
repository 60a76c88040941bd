#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace sorvane {

// One writer for a user's show: every build and every change of the picture
// store holds this lock (an advisory lock on the data folder, or on a file in
// it where folders can't be locked; let go by the system when its holder
// dies), so two programs never write the same show at once. The file names
// the holder.
class ShowLock {
  public:
    // Takes the lock on `lockPath`, waiting up to `bound` for another holder;
    // `waiting` is called once with who holds it when the lock is not free at
    // first. Throws sorvane::Error naming the holder when the wait runs out,
    // or why the lock file can't be used.
    ShowLock(const std::string& lockPath, const std::string& holderName,
             std::chrono::milliseconds bound,
             const std::function<void(const std::string& holder)>& waiting = {});
    ~ShowLock();
    ShowLock(const ShowLock&) = delete;
    ShowLock& operator=(const ShowLock&) = delete;

  private:
    std::string path_;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// "NAME (process N)" of the program that holds (or last held) the lock file.
std::string ShowLockHolder(const std::string& lockPath);

}  // namespace sorvane
