#include "calibration/precal_state.h"

#include <gtest/gtest.h>

#include "model/configuration.h"
#include "platform/mouse_pointer.h"

namespace vernium {
namespace {

// A base channel number given to the loader stands for the channel of the
// grid's selected row; an expansion channel number is used as it is.
TEST(LoadParameterForm, BaseChannelNumberMeansTheSelectedRowsChannel) {
  Configuration config;
  config.Channels[77].Excitation = 7.5f;   // 3-1-5 on an SGC50A
  config.Channels[77].Units = "Newtons";
  config.Channels[40].Excitation = 4.0f;
  Grid grid;
  grid.Resize(3, 6);
  grid.row = 2;  // the selected row
  grid.Cell(2, 1) = "3-1-5";
  grid.Cell(2, 5) = "SGC50A";
  PreCalState form;
  RecordedMousePointer pointer;

  for (auto [chan, excite, units] : {std::tuple{3, "7.5", "Newtons"}, {15, "7.5", "Newtons"},
                                     {40, "4", "Pounds"}, {77, "7.5", "Newtons"}}) {
    LoadParameterForm(config, grid, form, pointer, chan);
    EXPECT_EQ(form.txtExcite.text, excite) << chan;
    EXPECT_EQ(form.txtUnits.text, units) << chan;
    EXPECT_EQ(pointer.Get(), PointerShape::Normal);
  }
  EXPECT_EQ(pointer.HourglassCount(), 4);
}

}  // namespace
}  // namespace vernium
