// Tool bars across the top and status bars across the bottom of a window's client area.
#include "ui/window.h"

#include "ui/qt_access.h"
#include "ui/window_state.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace ui::detail {
namespace {

// Swallows tool tips: the game's tool bar shows none, and an empty tool tip text alone does not
// stop Qt from falling back to the action's text.
struct ToolTipBlocker : QObject {
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

ToolBarEntry* findToolBar(int number) {
    const auto found = toolBars.find(number);
    return found == toolBars.end() ? nullptr : &found->second;
}

StatusBarEntry* findStatusBar(int number) {
    const auto found = statusBars.find(number);
    return found == statusBars.end() ? nullptr : &found->second;
}

// Adds `action` as item `item`: its button loses tool tips and its trigger becomes an event.
bool enterToolItem(ToolBarEntry& entry, int item, QAction* action) {
    entry.bar->addAction(action);
    entry.items[item] = action;
    if (QWidget* button = entry.bar->widgetForAction(action))
        button->installEventFilter(new ToolTipBlocker(button));
    const int window = entry.window;
    QObject::connect(action, &QAction::triggered,
                     [window, item] { queueEvent(EventKind::ToolBar, window, item, -1); });
    layoutBars(window);
    return true;
}

int statusHeight(const QWidget* bar) {
    return bar->fontMetrics().height() + 6;
}

} // namespace

void layoutBars(int window) {
    QWidget* widget = ui::windowWidget(window);
    if (!widget) return;
    const int width = widget->width();
    for (const auto& [number, entry] : toolBars)
        if (entry.window == window)
            entry.bar->setGeometry(0, 0, width, entry.bar->sizeHint().height());
    for (const auto& [number, entry] : statusBars) {
        if (entry.window != window) continue;
        const int height = statusHeight(entry.bar);
        entry.bar->setGeometry(0, widget->height() - height, width, height);
    }
}

void forgetBarsOf(int window) {
    std::erase_if(toolBars, [window](const auto& entry) { return entry.second.window == window; });
    std::erase_if(statusBars,
                  [window](const auto& entry) { return entry.second.window == window; });
}

} // namespace ui::detail

namespace ui {

using namespace detail;

bool createToolBar(int number, int window) {
    QWidget* parent = windowWidget(window);
    if (!parent || toolBars.contains(number)) return false;
    auto* bar = new QToolBar(parent);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The style's default margins make the bar 31 pixels high; the game's controls start at
    // y = 30, so keep it to a classic 27 (23-pixel buttons and a 2-pixel rim).
    if (QLayout* layout = bar->layout()) layout->setContentsMargins(2, 2, 2, 2);
    bar->installEventFilter(new ToolTipBlocker(bar));
    toolBars[number] = ToolBarEntry{bar, window, {}};
    layoutBars(window);
    bar->show();
    return true;
}

bool addToolButton(int toolBar, int item, StandardIcon icon, int picture) {
    ToolBarEntry* entry = findToolBar(toolBar);
    if (!entry || entry->items.contains(item)) return false;
    const char* themeName = "help-contents";
    QStyle::StandardPixmap fallback = QStyle::SP_DialogHelpButton;
    if (icon == StandardIcon::NewDocument) {
        themeName = "document-new";
        fallback = QStyle::SP_FileIcon;
    } else if (icon == StandardIcon::Properties) {
        themeName = "document-properties";
        fallback = QStyle::SP_FileDialogDetailedView;
    } else if (icon == StandardIcon::Open) {
        themeName = "document-open";
        fallback = QStyle::SP_DialogOpenButton;
    } else if (icon == StandardIcon::Save) {
        themeName = "document-save";
        fallback = QStyle::SP_DialogSaveButton;
    }
    // hasThemeIcon rather than a null check: without a theme, fromTheme may still hand back an
    // icon that draws nothing. The style's own images are the last resort, for a missing picture.
    const QString name = QString::fromLatin1(themeName);
    QIcon shown;
    if (QIcon::hasThemeIcon(name))
        shown = QIcon::fromTheme(name);
    else if (const QPixmap own = pixmapOf(picture); !own.isNull())
        shown = QIcon(own);
    else
        shown = entry->bar->style()->standardIcon(fallback, nullptr, entry->bar);
    return enterToolItem(*entry, item, new QAction(shown, QString(), entry->bar));
}

bool addToolPictureButton(int toolBar, int item, int picture, bool toggle) {
    ToolBarEntry* entry = findToolBar(toolBar);
    if (!entry || entry->items.contains(item)) return false;
    auto* action = new QAction(QIcon(pixmapOf(picture)), QString(), entry->bar);
    action->setCheckable(toggle);
    return enterToolItem(*entry, item, action);
}

void addToolSeparator(int toolBar) {
    ToolBarEntry* entry = findToolBar(toolBar);
    if (!entry) return;
    entry->bar->addSeparator();
    layoutBars(entry->window);
}

bool isToolItemDown(int toolBar, int item) {
    const ToolBarEntry* entry = findToolBar(toolBar);
    if (!entry) return false;
    const auto found = entry->items.find(item);
    return found != entry->items.end() && found->second->isChecked();
}

void setToolItemAccessibleName(int toolBar, int item, const std::string& name) {
    if (QWidget* button = toolItemWidget(toolBar, item))
        button->setAccessibleName(QString::fromUtf8(name));
}

bool createStatusBar(int number, int window) {
    QWidget* parent = windowWidget(window);
    if (!parent || statusBars.contains(number)) return false;
    // A QStatusBar only for what assistive technology sees; the fields are placed by hand
    // (never added to its layout), so they keep their exact widths and touch each other.
    auto* bar = new QStatusBar(parent);
    bar->setSizeGripEnabled(false);
    statusBars[number] = StatusBarEntry{bar, window, {}};
    layoutBars(window);
    bar->show();
    return true;
}

bool addStatusField(int statusBar, int width) {
    StatusBarEntry* entry = findStatusBar(statusBar);
    if (!entry || width <= 0) return false;
    int left = 0;
    for (const QLabel* field : entry->fields)
        left += field->width();
    auto* field = new QLabel(entry->bar);
    field->setTextFormat(Qt::PlainText);
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    field->setIndent(3);
    field->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    field->setFixedSize(width, statusHeight(entry->bar));
    field->move(left, 0);
    field->show();
    entry->fields.push_back(field);
    return true;
}

void setStatusText(int statusBar, int field, const std::string& text) {
    QLabel* label = statusField(statusBar, field);
    if (label) label->setText(QString::fromUtf8(text));
}

std::string statusText(int statusBar, int field) {
    const QLabel* label = statusField(statusBar, field);
    return label ? label->text().toStdString() : std::string();
}

QToolBar* toolBarWidget(int toolBar) {
    const ToolBarEntry* entry = findToolBar(toolBar);
    return entry ? entry->bar : nullptr;
}

QWidget* toolItemWidget(int toolBar, int item) {
    const ToolBarEntry* entry = findToolBar(toolBar);
    if (!entry) return nullptr;
    const auto found = entry->items.find(item);
    return found == entry->items.end() ? nullptr : entry->bar->widgetForAction(found->second);
}

QWidget* statusBarWidget(int statusBar) {
    const StatusBarEntry* entry = findStatusBar(statusBar);
    return entry ? entry->bar : nullptr;
}

QLabel* statusField(int statusBar, int field) {
    const StatusBarEntry* entry = findStatusBar(statusBar);
    if (!entry || field < 0 || field >= static_cast<int>(entry->fields.size())) return nullptr;
    return entry->fields[field];
}

} // namespace ui
