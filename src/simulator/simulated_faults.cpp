#include "simulator/simulated_faults.h"

#include <array>

namespace vernium {

std::span<const std::string_view> LibraryOperationNames() {
  static constexpr std::array<std::string_view, 19> kNames = {
      "acqAdcPrepare",       "acqDeviceCount",       "acqDeviceNames",
      "acqDeviceByName",     "acqCloseDevice",       "acqOpenDevice",
      "acqOnlineStatus",     "acqLastErrorCode",     "acqErrorText",
      "acqAdcSetScan",       "acqAdcSetAcq",         "acqSetTriggerEvent",
      "acqAdcSetFreq",       "acqAdcTransferSetBuffer", "acqAdcTransferStart",
      "acqAdcArm",           "acqAdcTransferGetStat", "acqAdcTransferEnd",
      "acqAdcRelease"};
  return kNames;
}

bool IsLibraryOperationName(std::string_view name) {
  for (std::string_view n : LibraryOperationNames()) {
    if (n == name) return true;
  }
  return false;
}

bool FaultTable::FailOperation(std::string_view operation, AcqStatus code, FaultRepeat repeat) {
  if (!IsLibraryOperationName(operation)) return false;
  operations_[std::string(operation)] = Order{code, repeat};
  return true;
}

void FaultTable::ClearOperation(std::string_view operation) {
  const auto it = operations_.find(operation);
  if (it != operations_.end()) operations_.erase(it);
}

std::optional<AcqStatus> FaultTable::Take(std::string_view operation) {
  const auto it = operations_.find(operation);
  if (it == operations_.end()) return std::nullopt;
  const AcqStatus code = it->second.code;
  if (it->second.repeat == FaultRepeat::Once) operations_.erase(it);
  return code;
}

bool FaultTable::SetTransferFault(TransferFault kind, std::int32_t afterScans,
                                  FaultRepeat repeat) {
  if (afterScans < 0) return false;
  transfer_ = TransferFaultPlan{kind, afterScans};
  transferRepeat_ = repeat;
  return true;
}

TransferFaultPlan FaultTable::TakeTransferFault() {
  const TransferFaultPlan plan = transfer_;
  if (transferRepeat_ == FaultRepeat::Once) transfer_ = TransferFaultPlan{};
  return plan;
}

void FaultTable::ClearAll() {
  operations_.clear();
  transfer_ = TransferFaultPlan{};
  transferRepeat_ = FaultRepeat::Once;
}

}  // namespace vernium
