// A local web page: handed to the desktop's browser, or shown in a page view of our own where no
// browser can be started.
#include "ui/window.h"

#include "ui/window_state.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>

namespace ui {

namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// Qt hands a page to xdg-open with startDetached and reports success as soon as xdg-open has
// started, although it may find no browser and exit 3 a moment later; then the click would be
// lost without a word. So xdg-open runs here, under a shell that waits for it. It answering 0,
// or still running after the wait (it waits for a browser that it started in the foreground),
// counts as shown; no xdg-open on PATH or any other answer counts as no browser. Killing the
// shell after the wait leaves xdg-open and its browser running.
bool startBrowser(const QUrl& url) {
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (launcher.isEmpty()) return false;
    QProcess shell;
    shell.setProgram(QStringLiteral("/bin/sh"));
    shell.setArguments({QStringLiteral("-c"), QStringLiteral("\"$0\" \"$1\" & wait $!"), launcher,
                        url.toString()});
    shell.setStandardInputFile(QProcess::nullDevice());
    shell.setStandardOutputFile(QProcess::nullDevice());
    shell.setStandardErrorFile(QProcess::nullDevice());
    shell.start();
    if (!shell.waitForStarted(1000)) return false;
    // The help window's own loop waits meanwhile; a browser found usually answers at once.
    constexpr int waitMs = 1500;
    if (shell.waitForFinished(waitMs))
        return shell.exitStatus() == QProcess::NormalExit && shell.exitCode() == 0;
    shell.kill();
    shell.waitForFinished(1000);
    return true;
}
#else
bool startBrowser(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}
#endif

// Keeps the page view the size of its window's client area.
struct FillParent : QObject {
    QWidget* view;
    FillParent(QWidget* v, QObject* parent) : QObject(parent), view(v) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) view->setGeometry(view->parentWidget()->rect());
        return false;
    }
};

bool isPicture(const QUrl& url) {
    const QString suffix = QFileInfo(url.path()).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("jpg") ||
           suffix == QLatin1String("jpeg") || suffix == QLatin1String("gif") ||
           suffix == QLatin1String("svg");
}

// The title of the page shown, as its window's title.
void takeTitle(QTextBrowser* view) {
    const QString title = view->documentTitle();
    if (!title.isEmpty()) view->window()->setWindowTitle(title);
}

// Links: another page or a place on this one opens here; a picture is shown here below a link
// back (a page view would read its bytes as text); a web address goes to the desktop.
void follow(QTextBrowser* view, const QUrl& link) {
    const QUrl url = view->source().resolved(link);
    if (!url.isLocalFile()) {
        QDesktopServices::openUrl(url);
    } else if (isPicture(url)) {
        const QUrl back = view->source();
        view->setHtml(
            QStringLiteral("<html><head><title>%1</title></head><body><p><a href=\"%2\">"
                           "\u2190 Zur\u00fcck</a></p><p><img src=\"%3\"></p></body></html>")
                .arg(url.fileName().toHtmlEscaped(), back.toString().toHtmlEscaped(),
                     url.toString().toHtmlEscaped()));
        takeTitle(view);
    } else {
        view->setSource(url);
    }
}

} // namespace

bool openInBrowser(const std::string& path) {
    QString local = QString::fromUtf8(path);
    // The help link shows its target as a file:// address; accept it as well as a plain path.
    if (local.startsWith(QStringLiteral("file://"))) local = local.mid(7);
    const QFileInfo file(local);
    if (local.isEmpty() || !file.exists() || !file.isFile()) return false;
    return startBrowser(QUrl::fromLocalFile(file.absoluteFilePath()));
}

bool createPageView(int number, const std::string& path) {
    const QFileInfo file(QString::fromUtf8(path));
    if (!detail::canCreateControl(number) || !file.isFile() || !file.isReadable()) return false;
    QWidget* parent = detail::controlParent;
    auto* view = new QTextBrowser(parent);
    view->setOpenLinks(false);
    QObject::connect(view, &QTextBrowser::anchorClicked, view,
                     [view](const QUrl& link) { follow(view, link); });
    QObject::connect(view, &QTextBrowser::sourceChanged, view, [view] { takeTitle(view); });
    view->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    detail::enterControl(number, view, detail::ControlKind::Page, 0, 0, parent->width(),
                         parent->height());
    parent->installEventFilter(new FillParent(view, view));
    return true;
}

} // namespace ui
