#include "shell/ui/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>

#include "acquisition/device_selection.h"
#include "app_version.h"
#include "calibration/scaling_file.h"
#include "storage/data_folder.h"

namespace vernium::qtui {

namespace {

std::string Text(const QString& s) { return s.toStdString(); }

// Options of Qt's application object, taken here so that the parser does
// not refuse them; the application object reads them itself.
void LetQtOptionsThrough(QCommandLineParser& parser) {
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "style",
                           "stylesheet", "geometry", "qwindowgeometry", "qwindowtitle",
                           "qwindowicon", "display", "session", "plugin", "dialogs"}) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

}  // namespace

CommandLine ReadCommandLine(const QStringList& arguments, AcqLibObject& library) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Strain Gage Calibration: configures and hand-adjusts strain-gage "
                     "signal-conditioning cards (SGC10, SGC50, SGC50A, SGC50B)."));
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption device(QStringLiteral("device"),
                                  QStringLiteral("Open the acquisition unit NAME at start-up, "
                                                 "without the device window."),
                                  QStringLiteral("NAME"));
  const QCommandLineOption bench(
      QStringLiteral("bench"),
      QStringLiteral("Open the simulated unit's bench beside the main window at start-up."));
  const QCommandLineOption outputDir(QStringLiteral("output-dir"),
                                     QStringLiteral("Write the scaling file sgc10.ini in DIR "
                                                    "(default: the current directory)."),
                                     QStringLiteral("DIR"));
  const QCommandLineOption dataDir(
      QStringLiteral("data-dir"),
      QStringLiteral("Keep the last session, the calibration history and the sensor library "
                     "in DIR (default: $XDG_DATA_HOME/vernium)."),
      QStringLiteral("DIR"));
  const QCommandLineOption restore(
      QStringLiteral("restore"),
      QStringLiteral("Bring back the configuration of the last session, kept in the data "
                     "folder at exit."));
  parser.addOptions({device, bench, outputDir, dataDir, restore});
  LetQtOptionsThrough(parser);

  CommandLine result;
  auto refuse = [&](const std::string& why) {
    result.exitStatus = kUsageError;
    result.err = "vernium: " + why + "\n";
    return result;
  };
  if (!parser.parse(arguments)) {
    return refuse(Text(parser.errorText()) + " (vernium --help lists the options)");
  }
  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    // The usage line names the program as it is installed, whatever path
    // started it (and before the application object exists the parser
    // cannot know it at all).
    const QString text = parser.helpText();
    result.out = "Usage: vernium [options]" + Text(text.mid(text.indexOf(QLatin1Char('\n'))));
    return result;
  }
  if (parser.isSet(version)) {
    result.out = "Vernium " + std::string(kVersionText) + "\n";
    return result;
  }
  if (!parser.positionalArguments().isEmpty()) {
    return refuse("unexpected argument \"" + Text(parser.positionalArguments().first()) +
                  "\" (vernium --help lists the options)");
  }

  StartOptions options;
  options.bench = parser.isSet(bench);
  options.restore = parser.isSet(restore);
  if (parser.isSet(device)) {
    const std::string name = Text(parser.value(device));
    AcqStatus failed = kAcqOk;
    const std::vector<std::string> names = ListedDeviceNames(library, &failed);
    if (std::find(names.begin(), names.end(), name) == names.end()) {
      std::string known;
      for (const std::string& n : names) known += (known.empty() ? "" : ", ") + n;
      return refuse("no acquisition unit named \"" + name + "\"; the units are: " +
                    (known.empty() ? "none" : known));
    }
    options.device = name;
  }
  if (parser.isSet(outputDir)) {
    const std::string dir = Text(parser.value(outputDir));
    if (const std::string problem = ScalingDirectoryProblem(dir); !problem.empty()) {
      return refuse("cannot write the scaling file in \"" + dir + "\": " + problem);
    }
    options.outputDir = dir;
  }
  options.dataDir = DefaultDataFolder();
  if (parser.isSet(dataDir)) {
    const std::string dir = Text(parser.value(dataDir));
    if (const std::string problem = PrepareDataFolder(dir); !problem.empty()) {
      return refuse("cannot keep data in \"" + dir + "\": " + problem);
    }
    options.dataDir = dir;
  }
  result.run = options;
  return result;
}

}  // namespace vernium::qtui
