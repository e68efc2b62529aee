// The help shipped in the program: every topic of the contents is there and
// every link leads to a topic; the viewer's contents, search, back and
// forward. (The help commands and F1 in the windows: help.scn.)
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include "platform/help_topics.h"
#include "platform/ui/control_binding.h"
#include "platform/ui/help_window.h"
#include "platform/ui/qt_help_viewer.h"
#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

class HelpViewerTest : public ::testing::Test {
 protected:
  ScriptedMessageBoxes boxes_;
  QtHelpViewer viewer_{boxes_};
};

TEST_F(HelpViewerTest, EveryTopicIsShippedAndEveryLinkLeadsToATopic) {
  QStringList pages;
  for (const HelpTopic& topic : HelpTopics()) pages << ToQt(topic.page);
  const QRegularExpression link("href=\"([^\"]+)\"");
  for (const QString& page : pages) {
    QFile file(":/vernium.hlp/" + page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << FromQt(page);
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_GT(html.size(), 300) << FromQt(page);  // real content, not a placeholder
    for (auto m = link.globalMatch(html); m.hasNext();) {
      EXPECT_TRUE(pages.contains(m.next().captured(1))) << FromQt(page);
    }
  }
  // Each window of the program has its own topic; others get the contents.
  for (const char* window :
       {"Main", "frmIfcSel", "PreCal", "Calibrator", "CardPic", "CardConfig", "frmExpert"}) {
    EXPECT_NE(HelpPageOfWindow(window), kHelpContentsPage) << window;
    EXPECT_TRUE(pages.contains(ToQt(HelpPageOfWindow(window)))) << window;
  }
  EXPECT_EQ(HelpPageOfWindow("NoSuchWindow"), kHelpContentsPage);
}

TEST_F(HelpViewerTest, ContentsSearchBackAndForward) {
  viewer_.Open(kHelpFile, kHelpContents, 1);
  HelpWindow* help = viewer_.Window();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->CurrentPage(), "contents.html");
  auto* tree = help->findChild<QTreeWidget*>("treeContents");
  int topics = 0;
  for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) ++topics;
  EXPECT_EQ(topics, static_cast<int>(HelpTopics().size()));

  // Searching needs every word.
  EXPECT_EQ(help->Search("filter-gain resistor"), (QStringList{"card-diagram.html", "bench.html"}));
  EXPECT_TRUE(help->Search("trimpot zzzz").isEmpty());
  viewer_.Open(kHelpFile, kHelpOnHelp, 1);
  EXPECT_EQ(help->CurrentPage(), "using-help.html");
  help->findChild<QToolButton*>("cmdBack")->click();
  EXPECT_EQ(help->CurrentPage(), "contents.html");
  help->findChild<QToolButton*>("cmdForward")->click();
  EXPECT_EQ(help->CurrentPage(), "using-help.html");
  EXPECT_TRUE(boxes_.Shown().empty());

  viewer_.Open(kHelpFile, kHelpContents, 1);
  const QString png = testing_qt::PngDir();
  if (!png.isEmpty()) help->grab().save(png + "/help-viewer.png");
}

}  // namespace
}  // namespace vernium::qtui
