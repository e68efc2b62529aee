#pragma once
// Faults the bench can order from the simulated unit: a named library
// operation that fails with a chosen code, and a transfer that stalls or
// ends short. Not guarded by itself; the bench's lock covers it.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "acquisition/acq_lib.h"

namespace vernium {

enum class FaultRepeat { Once, UntilCleared };

enum class TransferFault {
  None,
  Stall,     // after k scans the count stops growing; the transfer stays active
  EndShort,  // after k scans the transfer goes inactive, short of its count
};

struct TransferFaultPlan {
  TransferFault kind = TransferFault::None;
  std::int32_t afterScans = 0;
};

// The names of the library operations, in the interface's order.
std::span<const std::string_view> LibraryOperationNames();
// True for the names of the library operations (acqAdcArm, acqOnlineStatus, ...).
bool IsLibraryOperationName(std::string_view name);

class FaultTable {
 public:
  // False, and nothing ordered, for a name that is no library operation.
  bool FailOperation(std::string_view operation, AcqStatus code, FaultRepeat repeat);
  void ClearOperation(std::string_view operation);
  // The code `operation` must fail with now, if any; a Once fault is used up.
  std::optional<AcqStatus> Take(std::string_view operation);

  // False for a negative k.
  bool SetTransferFault(TransferFault kind, std::int32_t afterScans, FaultRepeat repeat);
  // The plan for a transfer being armed now; a Once fault is used up.
  TransferFaultPlan TakeTransferFault();

  void ClearAll();

 private:
  struct Order {
    AcqStatus code = 0;
    FaultRepeat repeat = FaultRepeat::Once;
  };
  std::map<std::string, Order, std::less<>> operations_;
  TransferFaultPlan transfer_;
  FaultRepeat transferRepeat_ = FaultRepeat::Once;
};

}  // namespace vernium
