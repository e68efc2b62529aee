#pragma once
// Device selection: the form object of the window frmIfcSel, which lists the
// acquisition units the library knows and Vernium supports, opens the one
// the technician clicks, shows its picture and description, and checks that
// it is online when the technician confirms. Choosing a device also ranges
// the two counts-to-volts transfer functions for the unit's +-5 V input.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "acquisition/acq_lib.h"
#include "calibration/xfer_func.h"
#include "platform/controls.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"

namespace vernium {

inline constexpr std::string_view kIfcSelCaption = "Vernium - Select Device";

// DeviceSelState values.
inline constexpr std::int16_t kDeviceSelUndecided = 0;
inline constexpr std::int16_t kDeviceSelChosen = 1;
inline constexpr std::int16_t kDeviceSelCancelled = 2;

// True for the device types Vernium works with.
bool IsListedDeviceType(std::int32_t deviceType);

// The device picture (1 to 4) for a listed type; nothing for type 23, whose
// picture is left as it was, and for types that are not listed.
std::optional<int> DevicePictureIndex(std::int32_t deviceType);

// The names of the units the library offers whose type Vernium supports, in
// the library's order. A failed library call ends the list there and puts
// its status in *failed (kAcqOk otherwise).
std::vector<std::string> ListedDeviceNames(AcqLibObject& acq, AcqStatus* failed);

// "AcqLib Error #" + code + ": " + text.
std::string AcqLibErrorMessage(std::int32_t code, std::string_view text);

// The process-wide objects device selection reads and sets. The main window
// owns them; the form keeps references.
struct DeviceSelectionContext {
  AcqLibObject* AcqObject = nullptr;  // null when the library object does not exist
  std::shared_ptr<const AcqDevice>& Device;
  std::int16_t& DeviceSelState;
  clsXferFunc& UnsignedCountsToVolts;
  clsXferFunc& SignedCountsToVolts;
  MessageBoxes& boxes;
  MousePointer& pointer;
};

// The form object of frmIfcSel: its controls' state and its handlers.
class IfcSelForm {
 public:
  explicit IfcSelForm(DeviceSelectionContext context);

  // The window's own state: its caption and whether it is shown. The
  // handlers hide it once the technician has decided.
  std::string Caption{kIfcSelCaption};
  bool Visible = true;

  Frame Frame1;
  ListBox DevInventList;
  Picture Picture1;
  Label DevTypeLabel;
  std::array<Button, 2> Command1;  // 0 "&OK", 1 "&Cancel"

  // Lists the supported devices and opens the first one.
  void Load();
  // Opens the device selected in DevInventList.
  void ListClick();
  // 0 confirms the device when it is online; 1 cancels.
  void Command1Click(int index);

  // Whether the open device answers; tells the technician why not.
  bool IsDeviceOnline(const std::string& name);

 private:
  // Ends a procedure after a failed library call: "AcqLib Error #" with the
  // library's last error code and its text.
  void ReportAcqLibError(AcqStatus failedStatus);

  DeviceSelectionContext ctx_;
};

}  // namespace vernium
