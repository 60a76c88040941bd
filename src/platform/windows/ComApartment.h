#pragma once

namespace sorvane {

// Joins the calling thread to a single-threaded COM apartment for as long as
// it lives; a thread already in one (a window program's) stays as it was.
class ComApartment {
  public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool joined_ = false;
};

}  // namespace sorvane
