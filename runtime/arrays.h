#pragma once
// Zero-filled arrays in the shapes the game declares them with: a one-dimensional
// array of count N has the indices 0..N; a two-dimensional one of counts A and B is
// indexed [0..A-1][0..B-1].
#include <array>
#include <cstdint>

namespace rt {

template <typename T, int Count>
using Array1 = std::array<T, Count + 1>;

template <typename T, int A, int B>
using Array2 = std::array<std::array<T, B>, A>;

}  // namespace rt
