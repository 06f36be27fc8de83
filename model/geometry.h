// Board geometry of an N x N board: cell numbers, rows, columns and chain steps.
#pragma once

namespace kelvane {

struct Geometry {
  int N = 0;

  constexpr int CellCount() const { return N * N; }
  constexpr int NumbersPerRow() const { return N / 2 + 1; }
  constexpr bool OnBoard(int i) const { return i >= 1 && i <= N * N; }
  // 0 off the board.
  constexpr int CellAt(int r, int c) const {
    return r >= 1 && r <= N && c >= 1 && c <= N ? (r - 1) * N + c : 0;
  }
  // -1 off the board, so a neighbour look-up never fails.
  constexpr int RowOf(int i) const { return OnBoard(i) ? (i - 1) / N + 1 : -1; }
  constexpr int ColOf(int i) const { return OnBoard(i) ? (i - 1) % N + 1 : -1; }
  constexpr bool IsNumberCell(int i) const {
    return OnBoard(i) && RowOf(i) % 2 == 1 && ColOf(i) % 2 == 1;
  }
  constexpr bool IsSignCell(int i) const {
    return OnBoard(i) && (RowOf(i) % 2 == 1) != (ColOf(i) % 2 == 1);
  }
  constexpr bool IsBottomRow(int i) const { return RowOf(i) == N; }
  constexpr bool IsTopRow(int i) const { return RowOf(i) == 1; }
  // A chain step from number cell a to number cell b: two columns left or
  // right in the same row, or two rows up in the same column.
  constexpr bool IsChainStep(int a, int b) const {
    if (!IsNumberCell(a) || !IsNumberCell(b)) return false;
    if (RowOf(a) == RowOf(b)) return ColOf(a) - ColOf(b) == 2 || ColOf(b) - ColOf(a) == 2;
    return b == a - 2 * N;
  }
  // The sign cell crossed by a step between neighbours a and b.
  static constexpr int Between(int a, int b) { return (a + b) / 2; }
};

}  // namespace kelvane
