#include "designhost/migration/UnifiedDiff.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> Lines(const std::string& text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    else ++end;
    lines.emplace_back(text.data() + start, end - start);
    start = end;
  }
  return lines;
}

enum class TOp : char { Keep = ' ', Remove = '-', Add = '+' };

// The edit script from a to b, by the greedy shortest-edit walk over
// diagonals (O((N+M)D) time): each step keeps the furthest reach on each
// diagonal, and the path is read back from the saved reaches.
std::vector<TOp> EditScript(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b) {
  const int n = static_cast<int>(a.size()), m = static_cast<int>(b.size());
  const int max = n + m;
  std::vector<int> v(static_cast<size_t>(2 * max + 2), 0);
  std::vector<std::vector<int>> trace;
  auto at = [&](std::vector<int>& vec, int k) -> int& { return vec[static_cast<size_t>(k + max + 1)]; };
  int found = -1;
  for (int d = 0; d <= max && found < 0; ++d) {
    trace.push_back(v);
    for (int k = -d; k <= d; k += 2) {
      int x = (k == -d || (k != d && at(v, k - 1) < at(v, k + 1))) ? at(v, k + 1) : at(v, k - 1) + 1;
      int y = x - k;
      while (x < n && y < m && a[static_cast<size_t>(x)] == b[static_cast<size_t>(y)]) ++x, ++y;
      at(v, k) = x;
      if (x >= n && y >= m) {
        found = d;
        break;
      }
    }
  }
  std::vector<TOp> ops;
  int x = n, y = m;
  for (int d = found; d > 0; --d) {
    std::vector<int>& pv = trace[static_cast<size_t>(d)];
    int k = x - y;
    bool down = k == -d || (k != d && at(pv, k - 1) < at(pv, k + 1));
    int prevK = down ? k + 1 : k - 1;
    int prevX = at(pv, prevK), prevY = prevX - prevK;
    while (x > prevX && y > prevY) ops.push_back(TOp::Keep), --x, --y;
    ops.push_back(down ? TOp::Add : TOp::Remove);
    x = prevX;
    y = prevY;
  }
  while (x > 0 && y > 0) ops.push_back(TOp::Keep), --x, --y;
  std::reverse(ops.begin(), ops.end());
  return ops;
}

std::string Range(int start, int count) {
  // "start,count", the start 0 for an empty range before the first line
  if (count == 0) return std::to_string(start) + ",0";
  if (count == 1) return std::to_string(start + 1);
  return std::to_string(start + 1) + "," + std::to_string(count);
}

} // namespace

std::string UnifiedDiff(const std::string& before, const std::string& after, const std::string& beforeName,
                        const std::string& afterName) {
  if (before == after) return "";
  auto a = Lines(before), b = Lines(after);
  // The common head and tail need no search; a migration's changes are few.
  size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  std::vector<std::string_view> midA(a.begin() + static_cast<long>(head), a.end() - static_cast<long>(tail));
  std::vector<std::string_view> midB(b.begin() + static_cast<long>(head), b.end() - static_cast<long>(tail));
  std::vector<TOp> ops(head, TOp::Keep);
  for (TOp op : EditScript(midA, midB)) ops.push_back(op);
  ops.insert(ops.end(), tail, TOp::Keep);

  constexpr int Context = 3;
  std::string out = "--- " + beforeName + "\n+++ " + afterName + "\n";
  const int count = static_cast<int>(ops.size());
  int i = 0;
  while (i < count) {
    while (i < count && ops[static_cast<size_t>(i)] == TOp::Keep) ++i;
    if (i >= count) break;
    // The hunk runs from Context lines before the change to Context lines
    // after the last change that lies within 2*Context of the previous one.
    int begin = std::max(0, i - Context);
    int end = i;
    for (int j = i; j < count; ++j) {
      if (ops[static_cast<size_t>(j)] != TOp::Keep) end = j + 1;
      else if (j - end >= 2 * Context) break;
    }
    end = std::min(count, end + Context);
    int aStart = 0, bStart = 0;
    for (int j = 0; j < begin; ++j) {
      if (ops[static_cast<size_t>(j)] != TOp::Add) ++aStart;
      if (ops[static_cast<size_t>(j)] != TOp::Remove) ++bStart;
    }
    int aCount = 0, bCount = 0;
    std::string body;
    int ai = aStart, bi = bStart;
    for (int j = begin; j < end; ++j) {
      TOp op = ops[static_cast<size_t>(j)];
      std::string_view line = op == TOp::Add ? b[static_cast<size_t>(bi)] : a[static_cast<size_t>(ai)];
      if (op != TOp::Add) ++ai, ++aCount;
      if (op != TOp::Remove) ++bi, ++bCount;
      body += static_cast<char>(op);
      body += line;
      if (line.empty() || line.back() != '\n') body += "\n\\ No newline at end of file\n";
    }
    out += "@@ -" + Range(aStart, aCount) + " +" + Range(bStart, bCount) + " @@\n" + body;
    i = end;
  }
  return out;
}
