// Pictures, buttons, labels, text boxes, links and tabbed panels on the window layer.
#include "ui/window.h"

#include "ui/qt_access.h"
#include "ui/window_state.h"

#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTabWidget>
#include <QTextEdit>

namespace ui::detail {
namespace {

// Shows a picture from its top-left corner, so a click position is a picture coordinate.
// Reports presses, as the game expects from a picture: the second press of a double click
// arrives as the double-click type instead of another single click.
struct PictureControl : QLabel {
    int number;
    int window;

    PictureControl(int n, int w, QWidget* parent) : QLabel(parent), number(n), window(w) {
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    // The press's point goes with it, in the window's client coordinates.
    void report(const QMouseEvent* event, bool twice) {
        const QWidget* client = windowWidget(window);
        const QPoint at = client ? client->mapFromGlobal(event->globalPosition().toPoint())
                                 : QPoint(-1, -1);
        int type = -1;
        if (event->button() == Qt::LeftButton) type = twice ? LeftDoubleClick : LeftClick;
        if (event->button() == Qt::RightButton) type = twice ? RightDoubleClick : RightClick;
        if (type >= 0) queueEvent(EventKind::Control, window, number, type, at.x(), at.y());
    }

    void mousePressEvent(QMouseEvent* event) override { report(event, false); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { report(event, true); }
};

// A push button whose face is drawn by the style and whose picture we draw centred on it,
// one pixel right and down while the button is held.
struct PictureButton : QPushButton {
    QPixmap picture;

    explicit PictureButton(QWidget* parent) : QPushButton(parent) {}

    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        option.icon = QIcon();
        painter.drawControl(QStyle::CE_PushButton, option);
        if (picture.isNull()) return;
        const QSize size = picture.deviceIndependentSize().toSize();
        QPoint corner((width() - size.width()) / 2, (height() - size.height()) / 2);
        if (isDown()) corner += QPoint(1, 1);
        painter.drawPixmap(corner, picture);
    }
};

// One line of text in a link's colours; only a left-button release over it counts.
struct LinkLabel : QLabel {
    int number;
    int window;
    QColor hover;

    LinkLabel(int n, int w, QColor colour, QWidget* parent)
        : QLabel(parent), number(n), window(w), hover(colour) {
        setTextFormat(Qt::PlainText);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setWordWrap(false);
        setCursor(Qt::PointingHandCursor);
        setTextColour(Qt::black);
    }

    void setTextColour(const QColor& colour) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::WindowText, colour);
        setPalette(palette);
    }

    void enterEvent(QEnterEvent* event) override {
        QLabel::enterEvent(event);
        setTextColour(hover);
    }
    void leaveEvent(QEvent* event) override {
        QLabel::leaveEvent(event);
        setTextColour(Qt::black);
    }
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        event->accept();
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            queueEvent(EventKind::Control, window, number, LeftClick);
    }
};

ControlEntry* findControl(int number) {
    const auto found = controls.find(number);
    return found == controls.end() ? nullptr : &found->second;
}

} // namespace
} // namespace ui::detail

namespace ui {

using namespace detail;

bool createPictureControl(int number, int x, int y, int width, int height, int picture) {
    if (!canCreateControl(number)) return false;
    auto* control = new PictureControl(number, controlParentWindow, controlParent);
    const QPixmap pixmap = pixmapOf(picture);
    if (!pixmap.isNull()) {
        control->setPixmap(pixmap);
        width = pixmap.width();
        height = pixmap.height();
    }
    enterControl(number, control, ControlKind::Picture, x, y, width, height);
    controls[number].picture = pixmap.isNull() ? NoPicture : picture;
    return true;
}

bool createButton(int number, int x, int y, int width, int height, const std::string& text) {
    if (!canCreateControl(number)) return false;
    auto* button = new QPushButton(QString::fromUtf8(text), controlParent);
    const int window = controlParentWindow;
    QObject::connect(button, &QPushButton::clicked, [window, number] {
        queueEvent(EventKind::Control, window, number, LeftClick);
    });
    enterControl(number, button, ControlKind::Button, x, y, width, height);
    return true;
}

bool createPictureButton(int number, int x, int y, int width, int height, int picture) {
    if (!canCreateControl(number)) return false;
    auto* button = new PictureButton(controlParent);
    button->picture = pixmapOf(picture);
    const int window = controlParentWindow;
    QObject::connect(button, &QPushButton::clicked, [window, number] {
        queueEvent(EventKind::Control, window, number, LeftClick);
    });
    enterControl(number, button, ControlKind::PictureButton, x, y, width, height);
    controls[number].picture = button->picture.isNull() ? NoPicture : picture;
    return true;
}

bool createLabel(int number, int x, int y, int width, int height, const std::string& text,
                 unsigned flags) {
    if (!canCreateControl(number)) return false;
    auto* label = new QLabel(QString::fromUtf8(text), controlParent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment((flags & LabelCentred) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
    if (flags & LabelSunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (flags & LabelSelectable) label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    enterControl(number, label, ControlKind::Label, x, y, width, height);
    return true;
}

bool createTextBox(int number, int x, int y, int width, int height) {
    if (!canCreateControl(number)) return false;
    auto* box = new QTextEdit(controlParent);
    box->setReadOnly(true);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // The horizontal scroll bar is there to scroll long lines, so they are not wrapped.
    box->setLineWrapMode(QTextEdit::NoWrap);
    enterControl(number, box, ControlKind::TextBox, x, y, width, height);
    return true;
}

bool createLink(int number, int x, int y, int width, int height, const std::string& text,
                std::int32_t hoverColour) {
    if (!canCreateControl(number)) return false;
    auto* link = new LinkLabel(number, controlParentWindow, colourOf(hoverColour), controlParent);
    link->setText(QString::fromUtf8(text));
    enterControl(number, link, ControlKind::Link, x, y, width, height);
    return true;
}

bool createPanel(int number, int x, int y, int width, int height) {
    if (!canCreateControl(number)) return false;
    enterControl(number, new QTabWidget(controlParent), ControlKind::Panel, x, y, width, height);
    return true;
}

bool addTab(int panel, const std::string& title) {
    ControlEntry* entry = findControl(panel);
    if (!entry || entry->kind != ControlKind::Panel) return false;
    auto* tabs = static_cast<QTabWidget*>(entry->widget);
    auto* page = new QWidget;
    tabs->addTab(page, QString::fromUtf8(title));
    controlParent = page;
    controlParentWindow = entry->window;
    return true;
}

void endPanel(int panel) {
    const ControlEntry* entry = findControl(panel);
    if (!entry || entry->kind != ControlKind::Panel) return;
    setControlParent(entry->window);
}

void setControlPicture(int control, int picture) {
    ControlEntry* entry = findControl(control);
    if (!entry) return;
    const QPixmap pixmap = pixmapOf(picture);
    if (entry->kind == ControlKind::Picture || entry->kind == ControlKind::PictureButton)
        entry->picture = pixmap.isNull() ? NoPicture : picture;
    if (entry->kind == ControlKind::Picture) {
        auto* label = static_cast<PictureControl*>(entry->widget);
        if (pixmap.isNull()) {
            label->clear();
            return;
        }
        label->setPixmap(pixmap);
        label->resize(pixmap.size());
    } else if (entry->kind == ControlKind::PictureButton) {
        auto* button = static_cast<PictureButton*>(entry->widget);
        button->picture = pixmap;
        button->update();
    }
}

void setControlText(int control, const std::string& text) {
    ControlEntry* entry = findControl(control);
    if (!entry) return;
    const QString value = QString::fromUtf8(text);
    switch (entry->kind) {
    case ControlKind::Label:
    case ControlKind::Link:
        static_cast<QLabel*>(entry->widget)->setText(value);
        break;
    case ControlKind::Button:
        static_cast<QPushButton*>(entry->widget)->setText(value);
        break;
    case ControlKind::TextBox:
        static_cast<QTextEdit*>(entry->widget)->setPlainText(value);
        break;
    default:
        break;
    }
}

void setAccessibleName(int control, const std::string& name) {
    if (const ControlEntry* entry = findControl(control))
        entry->widget->setAccessibleName(QString::fromUtf8(name));
}

int controlPicture(int control) {
    const ControlEntry* entry = findControl(control);
    return entry ? entry->picture : NoPicture;
}

std::string controlText(int control) {
    const ControlEntry* entry = findControl(control);
    if (!entry) return {};
    switch (entry->kind) {
    case ControlKind::Label:
    case ControlKind::Link:
        return static_cast<QLabel*>(entry->widget)->text().toStdString();
    case ControlKind::Button:
        return static_cast<QPushButton*>(entry->widget)->text().toStdString();
    case ControlKind::TextBox:
        return static_cast<QTextEdit*>(entry->widget)->toPlainText().toStdString();
    default:
        return {};
    }
}

} // namespace ui
