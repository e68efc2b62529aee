#include "calibration/message_catalogue.h"

#include "model/numeric_text.h"

namespace vernium {

std::string AboutText() {
  const std::string crlf = "\r\n";
  return "Vernium" + crlf + "Strain-Gage Card Configuration and Adjustment Utility" + crlf +
         "Version " + SignedNumberText(kVersionMajor) + "." + SignedNumberText(kVersionMinor) +
         "." + SignedNumberText(kVersionRevision) + crlf;
}

void ShowMessage(MessageBoxes& boxes, std::int16_t number) {
  switch (number) {
    case kMsgAbout:
      boxes.Show(AboutText(), "About Vernium", MsgIcon::Information, MsgButtons::OK);
      break;
    case kMsgOffsetNotZero:
      boxes.Show(
          "The offset voltage is not set to 0 volts. This channel is not calibrated unless the "
          "offset adjustment is set properly. Click 'Previous' to return to the offset "
          "adjustment step.",
          kStrainGageTitle, MsgIcon::Information, MsgButtons::OK);
      break;
    case kMsgOutOfRange:
      boxes.Show("Value is out of range.", kStrainGageTitle, MsgIcon::Critical, MsgButtons::OK);
      break;
    default:
      break;
  }
}

}  // namespace vernium
