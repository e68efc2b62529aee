#pragma once
// The content of a window that scrolls when the screen is smaller than it.
// The window opens at its content's whole size as far as the screen allows
// and may be made smaller than the content; what the window puts outside the
// body (its row of buttons) stays in view.

class QBoxLayout;
class QWidget;

namespace vernium::qtui {

// A widget for the window's content, in a frameless scroll area added to
// `into` with `stretch`. Give it its own layout.
QWidget* ScrollingBody(QWidget* window, QBoxLayout* into, int stretch = 1);

// Sizes `window` to its whole content, bounded to the screen it opens on
// less the window manager's frame: the last step of building a window with
// a scrolling body, and again when its content grows or shrinks. A window
// already shown is moved as far as it takes to keep it on the screen.
void OpenAtWholeSize(QWidget* window);

}  // namespace vernium::qtui
