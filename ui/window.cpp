// The window layer's core on Qt Widgets: start and stop, top-level windows, the event queue.
#include "ui/window.h"

#include "ui/picture.h"
#include "ui/qt_access.h"
#include "ui/window_state.h"

#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTranslator>
#include <QWidget>
#include <QWindow>

#include <dlfcn.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace ui::detail {

std::map<int, WindowEntry> windows;
std::map<int, ControlEntry> controls;
std::map<int, ToolBarEntry> toolBars;
std::map<int, StatusBarEntry> statusBars;
QWidget* controlParent = nullptr;
int controlParentWindow = -1;
std::deque<Event> events;
bool inMessageBox = false;

namespace {

// The application the layer created; nullptr while windowing is stopped.
QApplication* application = nullptr;

// A top-level window that turns every close request from outside into a Close event and only
// closes itself when the layer says so.
struct LayerWindow : QWidget {
    int number;
    bool closing = false; // set by the layer's own close path: the next close is accepted

    LayerWindow(int n, Qt::WindowFlags flags) : QWidget(nullptr, flags), number(n) {}

    void closeEvent(QCloseEvent* event) override {
        if (closing) {
            event->accept();
            return;
        }
        event->ignore();
        if (!inMessageBox) queueEvent(EventKind::Close, number, -1, -1);
    }

    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        layoutBars(number);
    }
};

Qt::WindowFlags qtFlags(unsigned flags) {
    Qt::WindowFlags result = Qt::Window | Qt::CustomizeWindowHint;
    if (flags & TitleBar)
        result |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return result;
}

// Outer top-left corner and client size for a centred window. `frame` is what the window
// system adds around the client area (zero where it is not known before the window shows).
void centre(unsigned flags, const QMargins& frame, QPoint& corner, QSize& client) {
    const int extraWidth = frame.left() + frame.right();
    const int extraHeight = frame.top() + frame.bottom();
    if (flags & CentreOnScreen) {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen) return;
        const QRect area = screen->availableGeometry();
        client.setWidth(std::min(client.width(), area.width() - extraWidth));
        client.setHeight(std::min(client.height(), area.height() - extraHeight));
        corner = QPoint(area.x() + (area.width() - client.width() - extraWidth) / 2,
                        area.y() + (area.height() - client.height() - extraHeight) / 2);
        return;
    }
    QWidget* active = QApplication::activeWindow();
    if (!active || !active->isVisible()) {
        corner = QPoint(216, 0);
        return;
    }
    const QRect over = active->frameGeometry();
    corner = QPoint(std::max(0, over.x() + (over.width() - client.width() - extraWidth) / 2),
                    std::max(0, over.y() + (over.height() - client.height() - extraHeight) / 2));
}

// Really closes and deletes a window whose entries are already gone.
void destroyWindowWidget(QWidget* widget) {
    if (auto* window = dynamic_cast<LayerWindow*>(widget)) window->closing = true;
    widget->close();
    delete widget;
}

// Whether a session bus can be found without starting one: an address in the environment, the
// user's bus socket, or a bus dbus-launch already started for this display (it notes those in
// ~/.dbus/session-bus/MACHINE-DISPLAY).
bool sessionBusExists() {
    const auto named = [](const char* variable) {
        const char* value = std::getenv(variable);
        return std::string(value != nullptr ? value : "");
    };
    std::error_code error;
    if (!named("DBUS_SESSION_BUS_ADDRESS").empty()) return true;
    if (!named("XDG_RUNTIME_DIR").empty() &&
        std::filesystem::exists(named("XDG_RUNTIME_DIR") + "/bus", error))
        return true;
    std::string machine;
    for (const char* file : {"/var/lib/dbus/machine-id", "/etc/machine-id"})
        if (machine.empty()) std::getline(std::ifstream(file), machine);
    std::string display = named("DISPLAY");
    display = display.substr(display.rfind(':') + 1);
    display = display.substr(0, display.find('.'));
    return !named("HOME").empty() && !machine.empty() && !display.empty() &&
           std::filesystem::exists(named("HOME") + "/.dbus/session-bus/" + machine + "-" + display,
                                   error);
}

// Whether the X display advertises an AT-SPI bus (the root window's AT_SPI_BUS property): the
// bridge reads it once it has some session bus, which lets a program run as root reach a screen
// reader of the desktop.
bool accessibilityBusAdvertised() {
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) return false;
    static constexpr char name[] = "AT_SPI_BUS";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, sizeof name - 1, name), nullptr);
    bool advertised = false;
    if (atom != nullptr && atom->atom != XCB_ATOM_NONE) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        xcb_get_property_reply_t* property = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_ANY, 0, 0),
            nullptr);
        advertised = property != nullptr && property->type != XCB_ATOM_NONE;
        std::free(property);
    }
    std::free(atom);
    return advertised;
}

Event takeEvent() {
    Event event = events.front();
    events.pop_front();
    return event;
}

// Qt's main loop runs on glib's default context. The prepare step of its sources tells, without
// the poll() system call a full pass makes, whether posted events, due timers or window-system
// events (which Qt's reader thread takes from the display connection and announces by a wake-up)
// wait. The functions are looked up at run time: Qt links glib, the build needs no headers of
// it, and a Qt on another dispatcher simply always makes the full pass.
class QuietProbe {
  public:
    QuietProbe() {
        const auto* dispatcher = QAbstractEventDispatcher::instance();
        if (dispatcher == nullptr || !dispatcher->inherits("QEventDispatcherGlib")) return;
        usable_ = find(defaultContext_, "g_main_context_default") &&
                  find(acquire_, "g_main_context_acquire") &&
                  find(release_, "g_main_context_release") &&
                  find(prepare_, "g_main_context_prepare");
    }

    bool usable() const { return usable_; }

    // False only when certainly nothing waits. Sources that wait on a file descriptor alone
    // (none carries the player's input) are seen by the full pass made every few passes.
    bool somethingWaits() {
        if (!usable_ || ++quietPasses_ >= fullPassEvery) {
            quietPasses_ = 0;
            return true;
        }
        void* context = defaultContext_();
        if (!acquire_(context)) return true;
        int priority = 0;
        const bool ready = prepare_(context, &priority) != 0;
        release_(context);
        if (ready) quietPasses_ = 0;
        return ready;
    }

  private:
    static constexpr int fullPassEvery = 16;
    template <typename F> static bool find(F& function, const char* name) {
        function = reinterpret_cast<F>(::dlsym(RTLD_DEFAULT, name));
        return function != nullptr;
    }
    void* (*defaultContext_)() = nullptr;
    int (*acquire_)(void*) = nullptr;
    void (*release_)(void*) = nullptr;
    int (*prepare_)(void*, int*) = nullptr;
    bool usable_ = false;
    int quietPasses_ = 0;
};

// Made on first use, when Qt's dispatcher exists; forgotten when windowing ends.
QuietProbe* quietProbe = nullptr;

QuietProbe& probe() {
    if (quietProbe == nullptr) quietProbe = new QuietProbe;
    return *quietProbe;
}

} // namespace

void queueEvent(EventKind kind, int window, int item, int type, int x, int y) {
    Event event;
    event.kind = kind;
    event.window = window;
    event.item = item;
    event.type = type;
    event.x = x;
    event.y = y;
    events.push_back(event);
}

QPixmap pixmapOf(int number) {
    const Picture* picture = pictureHandle(number);
    if (!picture || picture->width <= 0 || picture->height <= 0) return {};
    const int channels = picture->channels;
    if (channels != 3 && channels != 4) return {};
    const std::size_t stride = static_cast<std::size_t>(picture->width) * channels;
    if (picture->pixels.size() < stride * picture->height) return {};
    // Our rows are B,G,R(,A) bytes; ARGB32 reads exactly that on little-endian, with straight
    // alpha. The image only borrows the bytes; fromImage makes the copy the screen keeps.
    const QImage image(picture->pixels.data(), picture->width, picture->height,
                       static_cast<qsizetype>(stride),
                       channels == 3 ? QImage::Format_BGR888 : QImage::Format_ARGB32);
    return QPixmap::fromImage(image);
}

QColor colourOf(std::int32_t bbggrr) {
    return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

bool canCreateControl(int number) {
    return application && controlParent && !controls.contains(number);
}

void enterControl(int number, QWidget* widget, ControlKind kind, int x, int y, int width,
                  int height) {
    widget->setGeometry(x, y, width, height);
    widget->show();
    controls[number] = ControlEntry{widget, controlParentWindow, kind};
}

} // namespace ui::detail

namespace ui {

using namespace detail;

void initWindowing() {
    if (application) return;
    // QApplication keeps references to both for its whole life.
    static int argc = 1;
    static char name[] = "selvo";
    static char* argv[] = {name, nullptr};
    application = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // The game speaks German, and so do the toolkit's own dialogs (choosing a file, asking
    // before one is replaced) where its translations are installed.
    static QTranslator toolkitTexts;
    if (toolkitTexts.load(QLocale(QLocale::German), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTexts);
    // The accessibility bridge looks for the session bus when the first window shows. With none
    // to be found, the bus library would start a private one through dbus-launch: tens of
    // milliseconds before the first frame and a daemon left behind, for a bus no assistive
    // technology knows of. The bridge is then made to look (once, now) at no bus at all. Where a
    // bus exists, or the display advertises an AT-SPI bus, it finds its way as always. Programs
    // started later see the environment unchanged.
    if (!sessionBusExists() && !accessibilityBusAdvertised()) {
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
        QAccessible::isActive();
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
}

void shutdownWindowing() {
    if (!application) return;
    while (!windows.empty())
        closeWindow(windows.begin()->first);
    // Input the window system still holds (a cursor move, say) would otherwise be delivered
    // by the next application's start-up and refer to devices that died with this one.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    events.clear();
    delete quietProbe;
    quietProbe = nullptr;
    delete application;
    application = nullptr;
}

bool openWindow(int number, int x, int y, int clientWidth, int clientHeight,
                const std::string& title, unsigned flags) {
    if (!application || windows.contains(number) || clientWidth <= 0 || clientHeight <= 0)
        return false;
    auto* widget = new LayerWindow(number, qtFlags(flags));
    widget->setWindowTitle(QString::fromUtf8(title));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);

    // The native window first, so a platform that knows its frame already reports it.
    widget->winId();
    const QMargins frame =
        widget->windowHandle() ? widget->windowHandle()->frameMargins() : QMargins();
    QPoint corner(x, y);
    QSize client(clientWidth, clientHeight);
    if (flags & (CentreOnScreen | CentreOverActive)) centre(flags, frame, corner, client);

    if (flags & SizingBorder)
        widget->resize(client);
    else
        widget->setFixedSize(client);
    widget->move(corner); // a top-level's position is that of its frame
    windows[number] = WindowEntry{widget, flags};
    widget->show();
    widget->raise();
    widget->activateWindow();
    return true;
}

void closeWindow(int number) {
    auto found = windows.find(number);
    if (found == windows.end()) return;
    QWidget* widget = found->second.widget;
    windows.erase(found);
    std::erase_if(controls, [number](const auto& entry) { return entry.second.window == number; });
    forgetBarsOf(number);
    if (controlParentWindow == number) {
        controlParent = nullptr;
        controlParentWindow = -1;
    }
    destroyWindowWidget(widget);
}

bool windowExists(int number) {
    return windows.contains(number);
}

bool setControlParent(int window) {
    QWidget* widget = windowWidget(window);
    if (!widget) return false;
    controlParent = widget;
    controlParentWindow = window;
    return true;
}

bool quietPassesPossible() {
    return probe().usable();
}

Event pollEvent() {
    if (!application) return {};
    if (probe().somethingWaits()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    if (events.empty()) return {};
    return takeEvent();
}

Event waitEvent() {
    if (!application) return {};
    while (events.empty()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return takeEvent();
}

void messageBox(const std::string& title, const std::string& text) {
    if (!application) return;
    QWidget* parent = QApplication::activeWindow();
    if (!parent) parent = windowWidget(0);
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(title), QString::fromUtf8(text),
                    QMessageBox::Ok, parent);
    // The box is application-modal; a close request that still reaches one of our windows
    // meanwhile would act on a window the player could not see change.
    const bool outer = inMessageBox;
    inMessageBox = true;
    box.exec();
    inMessageBox = outer;
}

void sleepMs(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

QWidget* windowWidget(int window) {
    const auto found = windows.find(window);
    return found == windows.end() ? nullptr : found->second.widget;
}

QWidget* controlWidget(int control) {
    const auto found = controls.find(control);
    return found == controls.end() ? nullptr : found->second.widget;
}

} // namespace ui
