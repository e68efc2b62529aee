// The main window's menu bar: File, Edit, Options, Diagnostics and Help, each
// command named after its control and forwarded to the form.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/ui/control_binding.h"
#include "shell/ui/main_window.h"

#include <string_view>

namespace vernium::qtui {

namespace {

using Command = void (*)(MainForm&);

struct CommandDef {
  const char* name;
  MenuEntry MainForm::*entry;
  Command command;  // null: the entry does nothing
};

struct MenuDef {
  const char* name;
  MenuEntry MainForm::*entry;
  std::vector<CommandDef> commands;
};

const std::vector<MenuDef>& MenuBar() {
  static const std::vector<MenuDef> menus = {
      {"filer",
       &MainForm::filer,
       {{"newer", &MainForm::newer, [](MainForm& f) { f.NewConfiguration(); }},
        {"opener", &MainForm::opener, [](MainForm& f) { f.OpenClick(); }},
        {"saver", &MainForm::saver, [](MainForm& f) { f.SaveClick(); }},
        {"saverAs", &MainForm::saverAs, [](MainForm& f) { f.SaveAsClick(); }},
        {"mnuRecent", &MainForm::mnuRecent, nullptr},  // the submenu, below
        {"mnuRestoreSession", &MainForm::mnuRestoreSession,
         [](MainForm& f) { f.RestoreLastSession(); }},
        {"mnuExportScales", &MainForm::mnuExportScales, [](MainForm& f) { f.ExportScales(); }},
        {"printer", &MainForm::printer, [](MainForm& f) { f.PrintConfiguration(); }},
        {"dash3", &MainForm::dash3, nullptr},
        {"exiter", &MainForm::exiter, [](MainForm& f) { f.ExitProgram(); }}}},
      {"editer",
       &MainForm::editer,
       {{"displayer", &MainForm::displayer, [](MainForm& f) { f.DisplayCardData(); }},
        {"mnuHistory", &MainForm::mnuHistory, [](MainForm& f) { f.ShowHistory(); }}}},
      {"optioner",
       &MainForm::optioner,
       {{"WaveStud", &MainForm::WaveStud, [](MainForm& f) { f.WaveStudClick(); }},
        {"mnuWriteVerified", &MainForm::mnuWriteVerified,
         [](MainForm& f) { f.WriteVerifiedClick(); }}}},
      {"diag",
       &MainForm::diag,
       {{"mnuExpert", &MainForm::mnuExpert, [](MainForm& f) { f.ShowDiagnostics(); }},
        {"mnuBench", &MainForm::mnuBench, [](MainForm& f) { f.ShowBench(); }}}},
      {"helper",
       &MainForm::helper,
       {{"helperContents", &MainForm::helperContents, [](MainForm& f) { f.HelpContents(); }},
        {"helperSearch", &MainForm::helperSearch, [](MainForm& f) { f.HelpSearch(); }},
        {"helperHelp", &MainForm::helperHelp, [](MainForm& f) { f.HelpOnHelp(); }},
        {"abouter", &MainForm::abouter, [](MainForm& f) { f.About(); }}}},
  };
  return menus;
}

}  // namespace

void MainWindow::BuildMenus() {
  for (const MenuDef& def : MenuBar()) {
    QMenu* menu = menuBar()->addMenu(QString());
    menu->setObjectName(def.name);
    menus_.push_back({menu, def.entry});
    for (const CommandDef& command : def.commands) {
      auto* action = new QAction(menu);
      action->setObjectName(command.name);
      action->setShortcutContext(Qt::WindowShortcut);
      // The Options entries are switches: each shows its check box on or off.
      if (def.name == std::string_view("optioner")) action->setCheckable(true);
      menu->addAction(action);
      commands_.push_back({action, command.entry});
      if (command.command != nullptr) {
        const Command run = command.command;
        connect(action, &QAction::triggered, this,
                [this, run] { Forward([this, run] { run(form_); }); });
      }
    }
  }
  BuildRecentFilesMenu();
}

// "Recent Files": a submenu of the File menu, one entry a file.
void MainWindow::BuildRecentFilesMenu() {
  QAction* recent = menuBar()->findChild<QAction*>("mnuRecent");
  if (recent == nullptr) return;
  auto* menu = new QMenu(this);
  menu->setObjectName("mnuRecentMenu");
  recent->setMenu(menu);
  for (std::size_t i = 0; i < recentFiles_.size(); ++i) {
    auto* action = new QAction(menu);
    action->setObjectName(ArrayName("mnuRecentFile", static_cast<int>(i) + 1));
    menu->addAction(action);
    recentFiles_[i] = action;
    connect(action, &QAction::triggered, this, [this, i] {
      Forward([this, i] { form_.RecentFileClick(static_cast<int>(i)); });
    });
  }
}

void MainWindow::RedrawRecentFiles() {
  for (std::size_t i = 0; i < recentFiles_.size(); ++i) {
    if (recentFiles_[i] != nullptr) Draw(recentFiles_[i], form_.mnuRecentFile[i]);
  }
}

}  // namespace vernium::qtui
