#include "wizard/calibrator_state.h"

namespace vernium {

CalibratorState::CalibratorState() {
  caption = "Calibration";
  fraCalibrator.caption = "Potentiometer";
  picPotOn[kPicSgc10Even].left = 1020.0;
  picPotOn[kPicSgc10Even].top = 105.0;
  picPotOn[kPicSgc10Odd].left = 1020.0;
  picPotOn[kPicSgc10Odd].top = 490.0;
  picPotOn[kPicSgc50].left = 340.0;
  picPotOn[kPicSgc50].top = 715.0;
  for (auto& marker : picPotOn) marker.width = marker.height = kMarkerSizeTwips;
  lblOverlayChan.left = 720.0;
  lblOverlayChan.top = 1020.0;
  lblOverlayChan.width = 660.0;
  lblOverlayChan.height = 150.0;
  lblOverlayChanCaption = "CHANNEL 16";
  fraSetting.caption = "Setting Adjustment";
  Label3.caption = "Channel Value";
  lblVolts.caption = "Volts";
  Label1.caption = "Target";
  Label2.caption = "Volts";
  fraInstructions.caption = "Instructions";
  lblDirections.caption = "info here";
  lblSummary.visible = false;
  cmdPrevious.caption = "&Previous";
  cmdPrevious.enabled = false;
  cmdNext.caption = "&Next";
  cmdExitMain.caption = "E&xit";
  cmdVerify.caption = "&Verify...";
  cmdVerify.visible = false;
  tmrGage.intervalMs = 100;
  tmrGage.enabled = false;
}

}  // namespace vernium
