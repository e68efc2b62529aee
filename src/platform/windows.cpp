#include "platform/windows.h"

namespace vernium {

std::string_view WindowName(WindowId id) {
  switch (id) {
    case WindowId::Main: return "Main";
    case WindowId::frmIfcSel: return "frmIfcSel";
    case WindowId::PreCal: return "PreCal";
    case WindowId::Calibrator: return "Calibrator";
    case WindowId::CardPic: return "CardPic";
    case WindowId::CardConfig: return "CardConfig";
    case WindowId::frmExpert: return "frmExpert";
    case WindowId::frmVerify: return "frmVerify";
    case WindowId::Bench: return "Bench";
    case WindowId::frmHistory: return "frmHistory";
    case WindowId::frmSensors: return "frmSensors";
  }
  return "";
}

void ScriptedWindowOpener::ShowModal(WindowId id) {
  shown_.push_back(id);
  if (auto it = actions_.find(id); it != actions_.end() && it->second) it->second();
}

}  // namespace vernium
