// The help shipped in the program: every topic of the contents is there and
// every link leads to a topic, and each window has its own. (The viewer's
// contents and search, the help commands and F1: help.scn.)
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "platform/help_topics.h"
#include "platform/message_boxes.h"
#include "platform/ui/control_binding.h"
#include "platform/ui/qt_help_viewer.h"

namespace vernium::qtui {
namespace {

TEST(HelpContent, EveryTopicIsShippedAndEveryLinkLeadsToATopic) {
  ScriptedMessageBoxes boxes;
  const QtHelpViewer viewer(boxes);  // the viewer brings the help into the program
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

}  // namespace
}  // namespace vernium::qtui
