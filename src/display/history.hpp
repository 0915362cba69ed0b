#pragma once

#include "definition/actions.hpp"

namespace velmorant {

// Page numbers in the order they became active, oldest first.
class THist {
 public:
  void Push(int32_t page) { pages_.Add(page); }
  // The page before the current one, dropping both from the history; -1 with fewer than two.
  int32_t Back() {
    const int32_t n = pages_.Count();
    if (n < 2) return -1;
    const int32_t r = pages_[size_t(n - 2)];
    pages_.RemoveAt(size_t(n - 1));
    pages_.RemoveAt(size_t(n - 2));
    return r;
  }
  void Clear() { pages_.Clear(); }
  const TIntWektor& Pages() const { return pages_; }

 private:
  TIntWektor pages_;
};

}  // namespace velmorant
