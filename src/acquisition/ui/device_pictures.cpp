#include "acquisition/ui/device_pictures.h"

#include <QtGlobal>

// The pictures live in a resource compiled into the UI library; a static
// library's resources have to be registered by hand before first use.
static void RegisterDevicePictures() {
  Q_INIT_RESOURCE(device_pictures);
}

namespace vernium::qtui {

QString DevicePicturePath(int pictureIndex) {
  static const bool registered = [] {
    RegisterDevicePictures();
    return true;
  }();
  (void)registered;
  if (pictureIndex < 1 || pictureIndex > kDevicePictureCount) return {};
  return QStringLiteral(":/devices/%1.svg").arg(pictureIndex);
}

}  // namespace vernium::qtui
