// Running windows modally through the opener.
#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>

#include "platform/ui/qt_window_opener.h"

namespace vernium::qtui {
namespace {

// A window that closes itself as soon as it is shown, noting how it ran.
class SelfClosingDialog : public QDialog {
 public:
  int shows = 0;
  bool wasModal = false;
  Qt::WindowModality modality = Qt::NonModal;

 protected:
  void showEvent(QShowEvent* event) override {
    QDialog::showEvent(event);
    ++shows;
    wasModal = isModal();
    modality = windowModality();
    QTimer::singleShot(0, this, &QDialog::accept);
  }
};

TEST(QtWindowOpener, MakesAWindowOnFirstUseRunsItModallyAndKeepsItHiddenUntilUnloaded) {
  QtWindowOpener opener;
  int made = 0;
  QPointer<SelfClosingDialog> window;
  opener.Register(WindowId::CardPic, [&] {
    ++made;
    window = new SelfClosingDialog;
    return window.data();
  });
  opener.Unload(WindowId::CardPic);  // never loaded: nothing happens
  opener.ShowModal(WindowId::CardPic);
  opener.ShowModal(WindowId::CardPic);
  ASSERT_FALSE(window.isNull());
  EXPECT_EQ(made, 1) << "a hidden window is shown again, not made anew";
  EXPECT_EQ(window->shows, 2);
  EXPECT_TRUE(window->wasModal);
  EXPECT_TRUE(window->isHidden());
  EXPECT_EQ(opener.Loaded(WindowId::CardPic), window.data());
  opener.Unload(WindowId::CardPic);
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(opener.Loaded(WindowId::CardPic), nullptr);
  opener.ShowModal(WindowId::CardPic);
  EXPECT_EQ(made, 2) << "a window unloaded is made anew on its next use";
  EXPECT_EQ(window->modality, Qt::ApplicationModal);  // no window to be modal to
  // A window opened over another is modal to that one only.
  QWidget owner;
  opener.Register(WindowId::CardConfig, [&] {
    window = new SelfClosingDialog;
    window->setParent(&owner, Qt::Dialog);
    return window.data();
  });
  opener.ShowModal(WindowId::CardConfig);
  EXPECT_EQ(window->modality, Qt::WindowModal);
  opener.Unload(WindowId::CardConfig);
  // A window nobody registered is not opened.
  opener.ShowModal(WindowId::PreCal);
  EXPECT_EQ(opener.Loaded(WindowId::PreCal), nullptr);
}

}  // namespace
}  // namespace vernium::qtui
