#pragma once
// Finding the real windows' controls by their object names and working them
// as a person does: clicks, double-clicks, typing, picking list entries,
// menu commands; and reading what they show.

#include <QString>
#include <optional>
#include <string>

#include "scenario_runner/scenario_script.h"

class QObject;
class QWidget;

namespace vernium::scenario {

// A control of any open (or hidden) top-level window: a widget, a window,
// a menu or a menu command. Nullptr when none carries the name.
QObject* FindControl(const std::string& name);
QWidget* FindWindow(const std::string& name);
// The window a person is looking at: the active modal window, else the
// active window, else the main window when it is shown.
QWidget* ActiveWindow();

// Each returns an empty string on success, else what went wrong.
std::string Click(const ControlRef& ref, bool doubleClick);
std::string SetChecked(const ControlRef& ref, bool checked);
std::string Choose(const ControlRef& ref, const std::string& text, std::optional<int> index);
std::string TypeText(const ControlRef& ref, const std::string& text);
std::string SetText(const ControlRef& ref, const std::string& text);
std::string PressKey(const ControlRef& ref, const std::string& key);
std::string Focus(const ControlRef& ref);
std::string Leave(const ControlRef& ref);
std::string TriggerMenu(const std::string& captionPath);
std::string CloseWindow(const std::string& name);

// What a control shows for a property (text, enabled, visible, checked,
// count, selected; for the grid also rows, row, col and cells). Booleans
// read "true"/"false". Nullopt with `error` set when it cannot be read.
std::optional<std::string> ReadProperty(const ControlRef& ref, std::string* error);

}  // namespace vernium::scenario
