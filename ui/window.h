// Numbered windows, controls, tool bars, status bars and the events they deliver. The game names
// every object by a small number of its own; no toolkit type crosses this header. Every call
// on an empty or unknown number does nothing and queries answer none, false or -1.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

// ---- Set-up -------------------------------------------------------------------------------

// Starts the windowing system; call once before anything below. Safe to call again.
void initWindowing();
// Closes every window still open and stops the windowing system.
void shutdownWindowing();

// ---- Windows --------------------------------------------------------------------------------

enum WindowFlags : unsigned {
    TitleBar = 1,         // title bar with system menu and close box
    SizingBorder = 2,     // the user may resize the window
    CentreOnScreen = 4,   // ignore x, y: centre on the screen (cut to the screen's size)
    CentreOverActive = 8, // ignore x, y: centre over the active window, edges kept >= 0;
                          // with no active window open at (216, 0)
};

// Opens top-level window `number` with the given client size; (x, y) is the outer top-left
// corner unless a centring flag is set. No minimise or maximise box. Fails if the number is
// in use. Shown and activated at once.
bool openWindow(int number, int x, int y, int clientWidth, int clientHeight,
                const std::string& title, unsigned flags);
// Closes the window and destroys its controls, tool bar and status bar (their numbers free).
void closeWindow(int number);
bool windowExists(int number);
// Controls created next go onto this window's client area. False if it does not exist.
bool setControlParent(int window);

// ---- Events ---------------------------------------------------------------------------------

enum class EventKind { None, Control, ToolBar, Close };

// Control event types. Picture controls report all four; buttons and links report LeftClick.
enum EventType { LeftClick = 0, RightClick = 1, LeftDoubleClick = 2, RightDoubleClick = 3 };

struct Event {
    EventKind kind = EventKind::None;
    int window = -1; // window the event came from
    int item = -1;   // control number or tool-bar item
    int type = -1;   // EventType for control events
    // Where a click on a picture control happened, in the client coordinates of `window`;
    // -1 for every other event.
    int x = -1;
    int y = -1;
};

// Lets the windowing system run, then returns the oldest queued event, or kind None.
Event pollEvent();
// Blocks until an event is queued and returns it.
Event waitEvent();

// Modal message box with a single OK button over the active window; returns when closed.
void messageBox(const std::string& title, const std::string& text);

void sleepMs(int milliseconds);

// Opens a local file in the desktop's browser; false when it does not exist or no browser could
// be started for it. May wait a second or two for the desktop's answer.
bool openInBrowser(const std::string& path);

// The toolkit's modal file dialog over the active window, listing the files `filter` names
// ("Spielstand (*.selvo)"); it starts in the user's documents folder, later in the folder last
// chosen. Returns the chosen path (UTF-8), or "" when the player cancels. The save dialog adds
// `suffix` to a name typed without one and asks before an existing file is replaced.
std::string askFileToOpen(const std::string& title, const std::string& filter);
std::string askFileToSave(const std::string& title, const std::string& filter,
                          const std::string& suffix);

// ---- Controls (position and size in the parent's client coordinates) ----------------------

enum LabelFlags : unsigned { LabelCentred = 1, LabelSunken = 2, LabelSelectable = 4 };
enum ListFlags : unsigned { ListGridLines = 1 };
constexpr int NoPicture = -1;

// Shows picture `picture` (or NoPicture) and takes its size; reports the four click types.
bool createPictureControl(int number, int x, int y, int width, int height, int picture);
bool createButton(int number, int x, int y, int width, int height, const std::string& text);
// Push button that draws `picture` centred, one pixel right and down while pressed.
bool createPictureButton(int number, int x, int y, int width, int height, int picture);
bool createLabel(int number, int x, int y, int width, int height, const std::string& text,
                 unsigned flags);
// Read-only multi-line rich-text box with both scroll bars and a sunken border.
bool createTextBox(int number, int x, int y, int width, int height);
// Hyperlink-style label: one line, not underlined, hand cursor, `hoverColour` (0x00BBGGRR)
// while the mouse is over it; a left-button release over it reports LeftClick.
bool createLink(int number, int x, int y, int width, int height, const std::string& text,
                std::int32_t hoverColour);

// The local web page `path` in a read-only view that fills the current parent window and
// follows its size, with its pictures; its links open here (pages, places, pictures) or, for
// web addresses, on the desktop. The window takes the page's title. False when it cannot read
// the file. Reports no events.
bool createPageView(int number, const std::string& path);

// Tabbed panel: each added tab's page becomes the parent of the controls created next;
// endPanel makes the panel's window the parent again.
bool createPanel(int number, int x, int y, int width, int height);
bool addTab(int panel, const std::string& title);
void endPanel(int panel);

// Multi-column list with a header, single selection, sunken border, left-aligned columns.
bool createList(int number, int x, int y, int width, int height, const std::string& firstTitle,
                int firstWidth, unsigned flags);
// Inserts a column at `position`; a position past the last column appends.
bool addListColumn(int list, int position, const std::string& title, int width);
// Appends a row; line feeds separate the cells (pieces past the last column are dropped).
// `picture` (or NoPicture) is shown small in the first cell. Returns the row index or -1.
int addListRow(int list, const std::string& text, int picture);
int listRowCount(int list);
// Background colour (0x00BBGGRR) of one cell.
void setListCellColour(int list, int row, int column, std::int32_t colour);

// What a list shows, read back (tests and tools): "", -1 or NoPicture where there is nothing.
int listColumnCount(int list);
std::string listColumnTitle(int list, int column);
int listColumnWidth(int list, int column);
std::string listCellText(int list, int row, int column);
// The colour set with setListCellColour, or -1 when none was set.
std::int32_t listCellColour(int list, int row, int column);
// The picture shown in a row's first cell.
int listRowPicture(int list, int row);

// Picture of a picture control or picture button (NoPicture empties it and keeps its size).
void setControlPicture(int control, int picture);
// The picture a picture control or picture button shows; NoPicture when it shows none.
int controlPicture(int control);
// Replaces the whole text of a control; a line feed breaks the line.
void setControlText(int control, const std::string& text);
std::string controlText(int control);
// The name assistive technology reads for a control that shows only a picture. It never
// appears on screen, not even as a tool tip.
void setAccessibleName(int control, const std::string& name);

// ---- Tool bar and status bar ----------------------------------------------------------------

enum class StandardIcon { NewDocument, Properties, Help, Open, Save };

// Tool bar across the top of the window's client area: flat buttons, no tool tips.
bool createToolBar(int number, int window);
// A button with the desktop icon theme's standard icon; where the theme has none, `picture`
// (the program's own), and only where that is empty too, the toolkit's built-in image.
bool addToolButton(int toolBar, int item, StandardIcon icon, int picture = NoPicture);
bool addToolPictureButton(int toolBar, int item, int picture, bool toggle);
void addToolSeparator(int toolBar);
// Whether toggle `item` is down; false for no such tool bar or item.
bool isToolItemDown(int toolBar, int item);
// The name assistive technology reads for tool-bar item `item` (not a tool tip: none shows).
void setToolItemAccessibleName(int toolBar, int item, const std::string& name);

// Status bar across the bottom of the window's client area with fixed-width fields; assistive
// technology sees it as the window's status bar.
bool createStatusBar(int number, int window);
bool addStatusField(int statusBar, int width);
void setStatusText(int statusBar, int field, const std::string& text);
std::string statusText(int statusBar, int field);

} // namespace ui
