// The toolkit's file dialogs for opening and saving a file the player names.
#include "ui/qt_access.h"
#include "ui/window.h"
#include "ui/window_state.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace ui {

namespace {

// Where the next dialog starts: the folder of the last file chosen, at first the user's
// documents folder (or home), never the installed data folder the game runs in.
QString startFolder;

QString firstFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

std::string ask(const std::string& title, const std::string& filter, bool save,
                const std::string& suffix) {
    if (!QApplication::instance()) return {};
    if (startFolder.isEmpty()) startFolder = firstFolder();
    QWidget* parent = QApplication::activeWindow();
    if (!parent) parent = windowWidget(0);
    QFileDialog dialog(parent, QString::fromUtf8(title), startFolder, QString::fromUtf8(filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) dialog.setDefaultSuffix(QString::fromUtf8(suffix));
    // Modal like a message box: a close request to our windows meanwhile is dropped.
    const bool outer = detail::inMessageBox;
    detail::inMessageBox = true;
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    detail::inMessageBox = outer;
    if (!chosen) return {};
    const QString path = dialog.selectedFiles().first();
    startFolder = QFileInfo(path).absolutePath();
    return path.toStdString();
}

} // namespace

std::string askFileToOpen(const std::string& title, const std::string& filter) {
    return ask(title, filter, false, {});
}

std::string askFileToSave(const std::string& title, const std::string& filter,
                          const std::string& suffix) {
    return ask(title, filter, true, suffix);
}

} // namespace ui
