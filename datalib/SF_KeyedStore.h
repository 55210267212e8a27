#pragma once
// The collections of the measurement model: values keyed by a 16-bit number
// (band or record number). They are held densely, one slot per number from the
// lowest to the highest key stored, so a look-up is an index and a walk over a
// record or band range touches contiguous memory. Memory grows with that key
// span, which for bands and records is small by nature (bands 2 to 50, records
// 1 up). A slot never stored stays empty and reading it throws SF_DataError.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "SF_DataError.h"

template <typename T>
class SF_KeyedStore {
public:
  bool contains(int key) const {
    const long long i = static_cast<long long>(key) - base_;
    return i >= 0 && i < static_cast<long long>(present_.size()) && present_[static_cast<std::size_t>(i)];
  }

  const T& at(int key) const {
    if (!contains(key)) throw SF_DataError(SF_DataError::MissingEntry, "nothing stored under " + std::to_string(key));
    return values_[static_cast<std::size_t>(static_cast<long long>(key) - base_)];
  }

  T& at(int key) {
    if (!contains(key)) throw SF_DataError(SF_DataError::MissingEntry, "nothing stored under " + std::to_string(key));
    return values_[static_cast<std::size_t>(static_cast<long long>(key) - base_)];
  }

  // Stores value under key, replacing what was there.
  void put(int key, T value) {
    const std::size_t i = slotFor(key);
    if (!present_[i]) {
      present_[i] = 1;
      ++count_;
    }
    values_[i] = std::move(value);
  }

  // Number of keys holding a value.
  long count() const { return count_; }

  // Makes room for keys lo..hi in one step before filling them in order.
  void reserve(int lo, int hi) {
    if (hi < lo) return;
    slotFor(lo);
    slotFor(hi);
  }

  // Calls fn(key, value) for every stored key in ascending order.
  template <typename Fn>
  void forEach(Fn&& fn) const {
    for (std::size_t i = 0; i < present_.size(); ++i)
      if (present_[i]) fn(base_ + static_cast<int>(i), values_[i]);
  }

private:
  std::size_t slotFor(int key) {
    if (present_.empty()) {
      base_ = key;
      values_.resize(1);
      present_.resize(1, 0);
      return 0;
    }
    if (key < base_) {
      const std::size_t grow = static_cast<std::size_t>(static_cast<long long>(base_) - key);
      values_.insert(values_.begin(), grow, T{});
      present_.insert(present_.begin(), grow, 0);
      base_ = key;
      return 0;
    }
    const std::size_t i = static_cast<std::size_t>(static_cast<long long>(key) - base_);
    if (i >= present_.size()) {
      values_.resize(i + 1);
      present_.resize(i + 1, 0);
    }
    return i;
  }

  int base_ = 0;
  long count_ = 0;
  std::vector<T> values_;
  std::vector<std::uint8_t> present_;
};
