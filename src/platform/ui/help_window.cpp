#include "platform/ui/help_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/help_topics.h"
#include "platform/ui/control_binding.h"

namespace vernium::qtui {

namespace {

constexpr int kPageRole = Qt::UserRole;

QString PageOf(const QUrl& url) {
  return url.fileName();
}

}  // namespace

HelpWindow::HelpWindow(const QString& root, QWidget* parent) : QWidget(parent), root_(root) {
  setObjectName("HelpViewer");
  setWindowTitle("Vernium Help");
  setWindowFlag(Qt::Window);

  back_ = Named<QToolButton>(this, "cmdBack");
  back_->setText("< &Back");
  back_->setToolTip("Back (Alt+Left)");
  forward_ = Named<QToolButton>(this, "cmdForward");
  forward_->setText("&Forward >");
  forward_->setToolTip("Forward (Alt+Right)");
  home_ = Named<QToolButton>(this, "cmdContents");
  home_->setText("&Contents");
  home_->setToolTip("Contents (Alt+Home)");

  tabs_ = Named<QTabWidget>(this, "tabsHelp");
  contents_ = Named<QTreeWidget>(tabs_, "treeContents");
  contents_->setHeaderHidden(true);
  QTreeWidgetItem* parentItem = nullptr;
  for (const HelpTopic& topic : HelpTopics()) {
    QTreeWidgetItem* item = nullptr;
    if (topic.level > 0 && parentItem != nullptr) {
      item = new QTreeWidgetItem(parentItem);
    } else {
      item = new QTreeWidgetItem(contents_);
      parentItem = item;
    }
    item->setText(0, ToQt(topic.title));
    item->setData(0, kPageRole, ToQt(topic.page));
    QFile file(root_ + ToQt(topic.page));
    if (file.open(QIODevice::ReadOnly)) {
      QTextDocument doc;
      doc.setHtml(QString::fromUtf8(file.readAll()));
      pageTexts_.append({ToQt(topic.page), doc.toPlainText()});
    }
  }
  contents_->expandAll();
  auto* searchPage = new QWidget(tabs_);
  txtSearch_ = Named<QLineEdit>(searchPage, "txtSearch");
  txtSearch_->setPlaceholderText("Words to find, then Enter");
  txtSearch_->setClearButtonEnabled(true);
  results_ = Named<QListWidget>(searchPage, "lstResults");
  auto* searchLayout = new QVBoxLayout(searchPage);
  searchLayout->setContentsMargins(4, 4, 4, 4);
  auto* findLabel = new QLabel("&Find topics containing:", searchPage);
  findLabel->setBuddy(txtSearch_);
  searchLayout->addWidget(findLabel);
  searchLayout->addWidget(txtSearch_);
  searchLayout->addWidget(results_, 1);
  tabs_->addTab(contents_, "C&ontents");
  tabs_->addTab(searchPage, "&Search");

  browser_ = Named<QTextBrowser>(this, "txtTopic");
  browser_->setSearchPaths({root_});
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(false);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(tabs_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  // The contents list as wide as its longest topic at the font in use.
  contents_->resizeColumnToContents(0);
  const int listWidth = std::max(260, contents_->columnWidth(0) + 2 * contents_->frameWidth() +
                                          contents_->verticalScrollBar()->sizeHint().width() + 12);
  splitter->setSizes({listWidth, 560});
  auto* bar = new QHBoxLayout;
  bar->addWidget(back_);
  bar->addWidget(forward_);
  bar->addWidget(home_);
  bar->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(splitter, 1);
  resize(listWidth + 600, 580);

  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(home_, &QToolButton::clicked, this, [this] { ShowPage(ToQt(kHelpContentsPage)); });
  connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
    setWindowTitle("Vernium Help - " + browser_->documentTitle());
    SelectInTree(PageOf(url));
    UpdateButtons();
  });
  connect(browser_, &QTextBrowser::backwardAvailable, this, [this] { UpdateButtons(); });
  connect(browser_, &QTextBrowser::forwardAvailable, this, [this] { UpdateButtons(); });
  connect(contents_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { ShowPage(item->data(0, kPageRole).toString()); });
  connect(contents_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { ShowPage(item->data(0, kPageRole).toString()); });
  connect(txtSearch_, &QLineEdit::returnPressed, this, [this] { RunSearch(); });
  auto openResult = [this](QListWidgetItem* item) {
    const QString page = item->data(kPageRole).toString();
    if (page.isEmpty()) return;
    ShowPage(page);
    // Highlight the first word searched for in the topic.
    const QString first = lastQuery_.split(' ', Qt::SkipEmptyParts).value(0);
    if (!first.isEmpty()) browser_->find(first);
  };
  connect(results_, &QListWidget::itemActivated, this, openResult);
  connect(results_, &QListWidget::itemClicked, this, openResult);

  auto shortcut = [this](const QKeySequence& keys, auto fn) {
    auto* s = new QShortcut(keys, this);
    s->setContext(Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, fn);
  };
  shortcut(QKeySequence(Qt::ALT | Qt::Key_Left), [this] { browser_->backward(); });
  shortcut(QKeySequence(Qt::ALT | Qt::Key_Right), [this] { browser_->forward(); });
  shortcut(QKeySequence(Qt::ALT | Qt::Key_Home), [this] { ShowPage(ToQt(kHelpContentsPage)); });
  shortcut(QKeySequence::Find, [this] { FocusSearch(); });
  UpdateButtons();
}

void HelpWindow::ShowPage(const QString& page) {
  const QUrl url(page);
  if (browser_->source() != url) browser_->setSource(url);
  show();
  raise();
  activateWindow();
}

QString HelpWindow::CurrentPage() const {
  return PageOf(browser_->source());
}

void HelpWindow::FocusSearch() {
  tabs_->setCurrentIndex(1);
  txtSearch_->setFocus();
  txtSearch_->selectAll();
}

QStringList HelpWindow::Search(const QString& query) const {
  const QStringList words = query.split(' ', Qt::SkipEmptyParts);
  QStringList pages;
  if (words.isEmpty()) return pages;
  for (const auto& [page, text] : pageTexts_) {
    bool all = true;
    for (const QString& word : words) all = all && text.contains(word, Qt::CaseInsensitive);
    if (all) pages.append(page);
  }
  return pages;
}

void HelpWindow::RunSearch() {
  lastQuery_ = txtSearch_->text();
  results_->clear();
  for (const QString& page : Search(lastQuery_)) {
    for (const HelpTopic& topic : HelpTopics()) {
      if (ToQt(topic.page) != page) continue;
      auto* item = new QListWidgetItem(ToQt(topic.title), results_);
      item->setData(kPageRole, page);
    }
  }
  if (results_->count() == 0) {
    auto* none = new QListWidgetItem("No topic contains these words.", results_);
    none->setFlags(Qt::NoItemFlags);
    return;
  }
  results_->setCurrentRow(0);
  results_->setFocus();
}

void HelpWindow::SelectInTree(const QString& page) {
  for (QTreeWidgetItemIterator it(contents_); *it != nullptr; ++it) {
    if ((*it)->data(0, kPageRole).toString() == page) {
      contents_->setCurrentItem(*it);
      return;
    }
  }
}

void HelpWindow::UpdateButtons() {
  back_->setEnabled(browser_->isBackwardAvailable());
  forward_->setEnabled(browser_->isForwardAvailable());
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace vernium::qtui
