// Tables and helpers the window layer's source files share; Qt side only, never seen by the game.
#pragma once

#include "ui/window.h"

#include <QColor>
#include <QPixmap>

#include <cstdint>
#include <deque>
#include <map>
#include <vector>

class QAction;
class QLabel;
class QToolBar;
class QWidget;

namespace ui::detail {

enum class ControlKind {
    Picture,
    Button,
    PictureButton,
    Label,
    TextBox,
    Link,
    Panel,
    List,
    Chart,
    Page
};

struct WindowEntry {
    QWidget* widget = nullptr; // a LayerWindow; owns every control and bar on it
    unsigned flags = 0;
};

struct ControlEntry {
    QWidget* widget = nullptr;
    int window = -1; // top-level window the control lives on, also inside a tab page
    ControlKind kind = ControlKind::Label;
    int picture = NoPicture; // what a picture control or picture button shows
};

struct ToolBarEntry {
    QToolBar* bar = nullptr;
    int window = -1;
    std::map<int, QAction*> items; // the game's item number -> its action
};

struct StatusBarEntry {
    QWidget* bar = nullptr; // a plain row: the fields touch each other, no spacing
    int window = -1;
    std::vector<QLabel*> fields;
};

// Everything the layer has open, by the game's numbers. The widgets are owned by Qt's parent
// chain (window -> control); a window's entries are erased before its widget is deleted, so
// no table ever points at a deleted widget.
extern std::map<int, WindowEntry> windows;
extern std::map<int, ControlEntry> controls;
extern std::map<int, ToolBarEntry> toolBars;
extern std::map<int, StatusBarEntry> statusBars;

// Where the controls created next go (a window's client area or a tab page) and the number of
// the window that holds it; nullptr / -1 when no parent is set.
extern QWidget* controlParent;
extern int controlParentWindow;

// Events waiting for the game, oldest first.
extern std::deque<Event> events;

// True while a message box runs: close requests to our windows are dropped meanwhile.
extern bool inMessageBox;

void queueEvent(EventKind kind, int window, int item, int type, int x = -1, int y = -1);

// Screen copy of picture `number`; a null pixmap when the number holds no picture.
QPixmap pixmapOf(int number);

// 0x00BBGGRR as used by the game -> a Qt colour.
QColor colourOf(std::int32_t bbggrr);

// Puts the tool bars of `window` at the top and its status bars at the bottom of the client
// area, full width. Called on every resize and whenever a bar changes its height.
void layoutBars(int window);

// Erases the bar entries of `window`; their widgets die with the window.
void forgetBarsOf(int window);

// Places `widget` at (x, y, width, height) under the current parent, shows it and enters it as
// control `number`. The caller has checked canCreateControl.
void enterControl(int number, QWidget* widget, ControlKind kind, int x, int y, int width,
                  int height);

// A parent is set and `number` is free.
bool canCreateControl(int number);

} // namespace ui::detail
