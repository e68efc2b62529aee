#pragma once
// The four device pictures of the device selection window, by picture index:
// 1 portable unit, 2 plug-in board, 3 rack-mount chassis, 4 USB module.

#include <QString>

namespace vernium::qtui {

inline constexpr int kDevicePictureCount = 4;

// The resource path of a picture (":/devices/<index>.svg"), empty for an
// index outside 1..4. Makes sure the pictures are registered first.
QString DevicePicturePath(int pictureIndex);

}  // namespace vernium::qtui
