#include "store/MaterialBalance.h"

#include <limits>
#include <vector>

#include "runtime/RuntimeError.h"

void CarryRemainFrom(MaterialRec& rec, int from) {
  if (from < 1) from = 1;
  int64_t balance = from > 1 && from <= kTransactions + 1 ? rec.RemainVol(from - 1) : 0;
  // Computed whole before anything is written, so that an overflow half way
  // leaves no half-carried ledger.
  std::vector<int32_t> remain;
  for (int j = from; j <= kTransactions && rec.Date(j) != 0; ++j) {
    const int32_t mode = rec.Mode(j);
    if (mode == 0) balance += static_cast<int64_t>(rec.OrVolNum(j)) * rec.Volume;
    if (mode == 1) balance -= rec.OrVolNum(j);
    if (balance < std::numeric_limits<int32_t>::min() || balance > std::numeric_limits<int32_t>::max())
      throw rt::RuntimeError(rt::kErrOverflow);
    remain.push_back(mode == 0 || mode == 1 ? static_cast<int32_t>(balance) : rec.RemainVol(j));
  }
  for (size_t i = 0; i < remain.size(); ++i) rec.RemainVol(from + static_cast<int>(i)) = remain[i];
}
