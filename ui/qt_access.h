// The Qt objects behind the game's numbers, for the window layer's tests; never used by the game.
#pragma once

class QLabel;
class QToolBar;
class QWidget;

namespace ui {

// Each answers nullptr for an empty or unknown number.
QWidget* windowWidget(int window);
QWidget* controlWidget(int control);
QToolBar* toolBarWidget(int toolBar);
// The button that shows `item` on the tool bar.
QWidget* toolItemWidget(int toolBar, int item);
QWidget* statusBarWidget(int statusBar);
QLabel* statusField(int statusBar, int field);

// Whether polling can tell, without a full pass of Qt's loop, that nothing waits (on Qt's glib
// dispatcher); otherwise every poll makes the full pass.
bool quietPassesPossible();

} // namespace ui
