// Running windows modally through the opener, and the help viewer.
#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/ui/qt_help_viewer.h"
#include "platform/ui/qt_window_opener.h"

namespace vernium::qtui {
namespace {

// A window that closes itself as soon as it is shown, noting how it ran.
class SelfClosingDialog : public QDialog {
 public:
  int shows = 0;
  bool wasModal = false;

 protected:
  void showEvent(QShowEvent* event) override {
    QDialog::showEvent(event);
    ++shows;
    wasModal = isModal();
    QTimer::singleShot(0, this, &QDialog::accept);
  }
};

TEST(QtWindowOpenerTest, CreatesOnFirstUseRunsModallyAndHides) {
  QtWindowOpener opener;
  int made = 0;
  SelfClosingDialog* window = nullptr;
  opener.Register(WindowId::frmIfcSel, [&] {
    ++made;
    window = new SelfClosingDialog;
    return window;
  });
  EXPECT_EQ(opener.Loaded(WindowId::frmIfcSel), nullptr);
  opener.ShowModal(WindowId::frmIfcSel);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->shows, 1);
  EXPECT_TRUE(window->wasModal);
  EXPECT_TRUE(window->isHidden());
  opener.ShowModal(WindowId::frmIfcSel);
  EXPECT_EQ(made, 1) << "a hidden window is shown again, not made anew";
  EXPECT_EQ(window->shows, 2);
  EXPECT_EQ(opener.Loaded(WindowId::frmIfcSel), window);
}

TEST(QtWindowOpenerTest, UnloadDestroysOnlyWhatWasLoaded) {
  QtWindowOpener opener;
  QPointer<QDialog> window;
  int made = 0;
  opener.Register(WindowId::CardPic, [&] {
    ++made;
    window = new SelfClosingDialog;
    return window.data();
  });
  opener.Unload(WindowId::CardPic);  // never loaded: nothing happens
  EXPECT_EQ(made, 0);
  opener.ShowModal(WindowId::CardPic);
  ASSERT_FALSE(window.isNull());
  opener.Unload(WindowId::CardPic);
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(opener.Loaded(WindowId::CardPic), nullptr);
  opener.ShowModal(WindowId::CardPic);
  EXPECT_EQ(made, 2) << "a window unloaded is made anew on its next use";
}

TEST(QtWindowOpenerTest, AWindowNobodyRegisteredIsNotOpened) {
  QtWindowOpener opener;
  EXPECT_FALSE(opener.IsRegistered(WindowId::PreCal));
  opener.ShowModal(WindowId::PreCal);
  EXPECT_EQ(opener.Loaded(WindowId::PreCal), nullptr);
}

class QtHelpViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
  }
  void TearDown() override { QDir::setCurrent(previous_); }

  QTemporaryDir dir_;
  QString previous_;
  ScriptedMessageBoxes boxes_;
  std::vector<std::string> opened_;
  QtHelpViewer viewer_{boxes_, [this](const std::string& path) {
                         opened_.push_back(path);
                         return true;
                       }};
};

TEST_F(QtHelpViewerTest, MissingHelpFileIsReported) {
  viewer_.Open(kHelpFile, kHelpContents, 1);
  EXPECT_TRUE(opened_.empty());
  ASSERT_EQ(boxes_.Shown().size(), 1u);
  EXPECT_EQ(boxes_.Shown()[0].title, kHelpTitle);
  EXPECT_NE(boxes_.Shown()[0].text.find("vernium.hlp"), std::string::npos);
}

TEST_F(QtHelpViewerTest, PresentHelpFileGoesToTheDesktopViewer) {
  QFile file(QDir(dir_.path()).filePath("vernium.hlp"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("help");
  file.close();
  viewer_.Open(kHelpFile, kHelpContents, 1);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(QString::fromStdString(opened_[0]), QFileInfo(file.fileName()).absoluteFilePath());
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(QtHelpViewerTest, HelpOnHelpExplainsAndOpensNothing) {
  viewer_.Open(kHelpFile, kHelpOnHelp, 1);
  EXPECT_TRUE(opened_.empty());
  ASSERT_EQ(boxes_.Shown().size(), 1u);
  EXPECT_EQ(boxes_.Shown()[0].title, kHelpTitle);
  EXPECT_NE(boxes_.Shown()[0].text.find("Contents"), std::string::npos);
}

}  // namespace
}  // namespace vernium::qtui
