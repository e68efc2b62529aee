#include "acquisition/device_selection.h"

#include <algorithm>
#include <vector>

#include "model/invariant.h"

namespace vernium {

bool IsListedDeviceType(std::int32_t deviceType) {
  return (deviceType >= 0 && deviceType <= 7) || deviceType == 9 || deviceType == 10 ||
         deviceType == 17 || deviceType == 18 || deviceType == 22 || deviceType == 23 ||
         deviceType == 36 || deviceType == 37;
}

std::optional<int> DevicePictureIndex(std::int32_t deviceType) {
  switch (deviceType) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 36:
    case 37:
      return 1;
    case 5:
    case 6:
    case 7:
      return 2;
    case 17:
    case 18:
    case 22:
      return 3;
    case 9:
    case 10:
      return 4;
    default:
      return std::nullopt;  // 23 keeps the picture it has; others are not listed
  }
}

std::string AcqLibErrorMessage(std::int32_t code, std::string_view text) {
  std::string message = "AcqLib Error #" + std::to_string(code) + ": ";
  message += text;
  return message;
}

IfcSelForm::IfcSelForm(DeviceSelectionContext context) : ctx_(context) {
  Frame1.caption = "Device Inventory";
  Command1[0].caption = "&OK";
  Command1[1].caption = "&Cancel";
}

std::vector<std::string> ListedDeviceNames(AcqLibObject& acq, AcqStatus* failed) {
  *failed = kAcqOk;
  std::vector<std::string> listedNames;
  std::int32_t count = 0;
  if ((*failed = acq.acqDeviceCount(count)) != kAcqOk || count == 0) return listedNames;
  std::vector<std::string> names;
  if ((*failed = acq.acqDeviceNames(names, count)) != kAcqOk) return listedNames;
  const auto listed = std::min(names.size(), static_cast<std::size_t>(std::max(count, 0)));
  for (std::size_t i = 0; i < listed; ++i) {
    std::shared_ptr<const AcqDevice> device;
    if ((*failed = acq.acqDeviceByName(names[i], device)) != kAcqOk) return listedNames;
    if (device != nullptr && IsListedDeviceType(device->DeviceType)) listedNames.push_back(names[i]);
  }
  return listedNames;
}

void IfcSelForm::Load() {
  ClsWaitCursor wait(ctx_.pointer);
  DevInventList.Clear();
  if (ctx_.AcqObject == nullptr) return;
  AcqLibObject& acq = *ctx_.AcqObject;

  AcqStatus failed = kAcqOk;
  for (std::string& name : ListedDeviceNames(acq, &failed)) DevInventList.AddItem(std::move(name));
  if (failed != kAcqOk) return ReportAcqLibError(failed);
  if (!DevInventList.items.empty()) {
    DevInventList.Select(0);
    ListClick();
  }
}

void IfcSelForm::ListClick() {
  if (ctx_.AcqObject == nullptr || DevInventList.listIndex < 0) return;
  AcqLibObject& acq = *ctx_.AcqObject;
  const std::string name = DevInventList.items[static_cast<std::size_t>(DevInventList.listIndex)];

  // A failure here is passed over: Device keeps what it had.
  std::shared_ptr<const AcqDevice> device;
  if (acq.acqDeviceByName(name, device) == 0 && device != nullptr) ctx_.Device = device;
  RangeCountsToVolts(ctx_.UnsignedCountsToVolts, ctx_.SignedCountsToVolts);

  ClsWaitCursor wait(ctx_.pointer);
  // With no device at all there is nothing to describe or open.
  if (ctx_.Device == nullptr) return ReportAcqLibError(kAcqOk);
  DevTypeLabel.caption = ctx_.Device->DeviceDescription;
  if (auto picture = DevicePictureIndex(ctx_.Device->DeviceType)) Picture1.pictureIndex = *picture;
  static_cast<void>(acq.acqCloseDevice());  // nothing may be open yet
  if (auto s = acq.acqOpenDevice(ctx_.Device->DeviceName)) return ReportAcqLibError(s);
}

void IfcSelForm::Command1Click(int index) {
  VERNIUM_EXPECTS(index == 0 || index == 1);
  if (index == 0) {
    const std::string name = ctx_.Device != nullptr ? ctx_.Device->DeviceName : std::string();
    if (!IsDeviceOnline(name)) return;
    ctx_.DeviceSelState = kDeviceSelChosen;
  } else {
    ctx_.DeviceSelState = kDeviceSelCancelled;
  }
  Visible = false;
}

bool IfcSelForm::IsDeviceOnline(const std::string& name) {
  if (ctx_.AcqObject == nullptr || name.empty()) return false;
  AcqLibObject& acq = *ctx_.AcqObject;
  std::string empty;
  const std::int32_t status = acq.acqOnlineStatus(empty);
  if (status == kAcqOk) return true;
  std::string text;
  if (status == kAcqNotOnline) {
    text = "Device is not online.";
  } else if (acq.acqErrorText(status, text) != 0) {
    // The library cannot say what the status means: name the code instead.
    text = "AcqLib Error #" + std::to_string(status);
  }
  ctx_.boxes.Show(text, kAppTitle, MsgIcon::Information, MsgButtons::OK);
  return false;
}

void IfcSelForm::ReportAcqLibError(AcqStatus failedStatus) {
  AcqLibObject& acq = *ctx_.AcqObject;
  std::int32_t code = 0;
  if (acq.acqLastErrorCode(code) != 0) code = failedStatus;
  std::string text;
  if (acq.acqErrorText(code, text) != 0) text.clear();
  ctx_.boxes.Show(AcqLibErrorMessage(code, text), kAppTitle, MsgIcon::None, MsgButtons::OK);
}

}  // namespace vernium
