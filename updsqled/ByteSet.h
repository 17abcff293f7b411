#pragma once
// A set of byte values as a fixed 256-bit table, tested by bit index. The
// scanner's byte classes and a code page's lead bytes are such sets.
#include <cstdint>
#include <initializer_list>

class TByteSet {
public:
  constexpr TByteSet() = default;

  constexpr bool Contains(unsigned char b) const { return (FBits[b >> 6] >> (b & 63)) & 1u; }

  constexpr TByteSet& Add(unsigned char b) {
    FBits[b >> 6] |= uint64_t{1} << (b & 63);
    return *this;
  }
  // Both ends included.
  constexpr TByteSet& AddRange(unsigned char first, unsigned char last) {
    for (unsigned b = first; b <= last; ++b) Add(static_cast<unsigned char>(b));
    return *this;
  }
  constexpr TByteSet& AddBytes(std::initializer_list<unsigned char> bytes) {
    for (unsigned char b : bytes) Add(b);
    return *this;
  }

  constexpr bool Empty() const { return (FBits[0] | FBits[1] | FBits[2] | FBits[3]) == 0; }
  constexpr bool operator==(const TByteSet&) const = default;

private:
  uint64_t FBits[4] = {0, 0, 0, 0};
};
