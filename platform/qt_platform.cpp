#include "platform/qt_platform.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QToolTip>
#include <QUrl>
#include <QWidget>

#include "platform/help_window.h"

namespace kw::gui {

namespace {

// Files whose presence marks a folder as the program's data folder.
const QStringList kDataMarkers = {QStringLiteral("RINGBLAD3.PS"), QStringLiteral("RINGBLAD3.ps"),
                                  QStringLiteral("KERNWIJS_NL.HLP"), QStringLiteral("KERNWIJS_UK.HLP")};

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
std::string toUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

QWidget* dialogParent() {
    if (QWidget* active = QApplication::activeModalWidget()) {
        return active;
    }
    return QApplication::activeWindow();
}

constexpr int kHintShownMs = 4000;          // a refused key's note
constexpr int kOpenerWaitMs = 1500;         // for the file manager's opener to give up
constexpr int kOtherStartTimeoutMs = 1000;  // for the running program to answer
const QString kOpener = QStringLiteral("xdg-open");

// A control by its object name, the active window's first, as two windows may use the
// same name; nullptr when no visible window holds one.
QWidget* findControl(std::string_view control) {
    const QString name = QString::fromUtf8(control.data(), qsizetype(control.size()));
    QWidgetList windows = QApplication::topLevelWidgets();
    if (QWidget* active = QApplication::activeWindow()) {
        windows.prepend(active);
    }
    for (QWidget* window : windows) {
        if (!window->isVisible()) {
            continue;
        }
        if (auto* widget = window->findChild<QWidget*>(name)) {
            return widget;
        }
    }
    return nullptr;
}

QString lockFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder;
}

std::optional<std::string> runFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(dialogParent(), fromUtf8(request.title));
    // Qt's own dialog speaks the program's language; the desktop's would speak the desktop's.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(qtNameFilters(request.filter));
    if (!request.defaultExt.empty()) {
        dialog.setDefaultSuffix(fromUtf8(request.defaultExt));
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (!request.initialFolder.empty()) {
        dialog.setDirectory(fromUtf8(request.initialFolder));
    }
    // A wildcard name only narrows the list, which the filter does already.
    const QString name = fromUtf8(request.initialName);
    if (!name.isEmpty() && !name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?'))) {
        dialog.selectFile(name);
    }
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) {
        return std::nullopt;
    }
    return toUtf8(QDir::toNativeSeparators(chosen.first()));
}

}  // namespace

QString screenText(const std::string& text) {
    QString result = fromUtf8(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QStringList qtNameFilters(const std::string& filter) {
    const QStringList parts = fromUtf8(filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString desc = parts[i].trimmed();
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')).trimmed();
        // Qt reads the patterns from the last parentheses of an entry.
        if (desc.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'))) {
            result << desc;
        } else {
            result << desc + QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
    }
    if (result.isEmpty()) {
        result << QStringLiteral("* (*)");
    }
    return result;
}

QByteArray handOverMessage(const QStringList& files) {
    QByteArray message;
    for (const QString& file : files) {
        message += file.toUtf8() + '\n';
    }
    return message;
}

QStringList handedOverFiles(const QByteArray& message) {
    QStringList files;
    for (const QByteArray& line : message.split('\n')) {
        if (!line.isEmpty()) {
            files << QString::fromUtf8(line);
        }
    }
    return files;
}

QString findApplicationFolder(const QString& programFolder, const QStringList& dataFolders) {
    QStringList candidates{programFolder};
    candidates << dataFolders;
    for (const QString& folder : candidates) {
        const QDir dir(folder);
        for (const QString& marker : kDataMarkers) {
            if (QFileInfo(dir.filePath(marker)).isFile()) {
                return QDir::cleanPath(dir.absolutePath());
            }
        }
    }
    return QDir::cleanPath(programFolder);
}

QtPlatform::QtPlatform(QString lockName)
    : lockPath_(QDir(lockFolder()).filePath(lockName + QStringLiteral(".lock"))) {}

QtPlatform::~QtPlatform() = default;

void QtPlatform::closeHelp() {
    if (help_) {
        help_->close();
    }
}

MsgAnswer QtPlatform::showMessage(const MessageBox& box) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (box.icon) {
        case MsgIcon::Critical:
            icon = QMessageBox::Critical;
            break;
        case MsgIcon::Question:
            icon = QMessageBox::Question;
            break;
        case MsgIcon::None:
            break;
    }
    // The buttons in the order of MessageBox::buttonTexts, with the answer each gives.
    std::vector<std::pair<QMessageBox::StandardButton, MsgAnswer>> buttons{{QMessageBox::Ok, MsgAnswer::Ok}};
    if (box.buttons == MsgButtons::OkCancel) {
        buttons.emplace_back(QMessageBox::Cancel, MsgAnswer::Cancel);
    } else if (box.buttons == MsgButtons::SaveDiscardCancel) {
        buttons = {{QMessageBox::Save, MsgAnswer::Save},
                   {QMessageBox::Discard, MsgAnswer::Discard},
                   {QMessageBox::Cancel, MsgAnswer::Cancel}};
    }
    QMessageBox dialog(icon, fromUtf8(box.title), screenText(box.text), QMessageBox::NoButton,
                       dialogParent());
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QPushButton* button = dialog.addButton(buttons[i].first);
        if (i < box.buttonTexts.size()) {
            button->setText(fromUtf8(box.buttonTexts[i]));
        }
    }
    dialog.setTextFormat(Qt::PlainText);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setDefaultButton(buttons.front().first);
    const bool withCancel = buttons.size() > 1;
    dialog.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    dialog.exec();
    // Closing the box by its frame counts as Cancel where there is one.
    for (const auto& [standard, answer] : buttons) {
        if (dialog.clickedButton() == dialog.button(standard)) {
            return answer;
        }
    }
    return withCancel ? MsgAnswer::Cancel : MsgAnswer::Ok;
}

void QtPlatform::beep() {
    QApplication::beep();
}

void QtPlatform::setFocus(std::string_view control) {
    if (QWidget* widget = findControl(control); widget && widget->isEnabled()) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void QtPlatform::showHint(std::string_view control, const std::string& text) {
    QWidget* widget = findControl(control);
    if (widget == nullptr || text.empty()) {
        return;
    }
    QToolTip::showText(widget->mapToGlobal(QPoint(0, widget->height())), fromUtf8(text), widget, QRect(),
                       kHintShownMs);
}

char QtPlatform::decimalSeparator() const {
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 0x80) {
        return static_cast<char>(point.at(0).unicode());
    }
    return '.';
}

LocalTime QtPlatform::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(), t.date().month(),  t.date().day(),
            t.time().hour(), t.time().minute(), t.time().second()};
}

std::optional<std::string> QtPlatform::openFileName(const FileDialogRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtPlatform::saveFileName(const FileDialogRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptSave);
}

std::string QtPlatform::applicationFolder() const {
    const QString program = QCoreApplication::applicationDirPath();
    const QStringList installed{
        QDir(program).filePath(QStringLiteral("../share/kernwijs")),
#ifdef KERNWIJS_DATA_DIR
        QStringLiteral(KERNWIJS_DATA_DIR),
#endif
    };
    return toUtf8(QDir::toNativeSeparators(findApplicationFolder(program, installed)));
}

std::string QtPlatform::currentFolder() const {
    return toUtf8(QDir::toNativeSeparators(QDir::currentPath()));
}

std::string QtPlatform::documentsFolder() const {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    return toUtf8(QDir::toNativeSeparators(QDir::cleanPath(folder)));
}

bool QtPlatform::folderWritable(const std::string& folder) const {
    const QFileInfo info(fromUtf8(folder));
    return info.isDir() && info.isWritable();
}

QString QtPlatform::socketPath() const {
    QString path = lockPath_;
    path.chop(QStringLiteral(".lock").size());
    return path + QStringLiteral(".socket");
}

void QtPlatform::listenForOtherStarts() {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Only the holder of the lock listens, so a socket left behind is stale.
    QLocalServer::removeServer(socketPath());
    if (!server_->listen(socketPath())) {
        server_.reset();
        return;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            // The second start writes its files, if any, and hangs up; then they are all here.
            QObject::connect(socket, &QLocalSocket::disconnected, socket, [this, socket] {
                const QStringList files = handedOverFiles(socket->readAll());
                socket->deleteLater();
                if (anotherStart_) {
                    anotherStart_(files);
                }
            });
            if (socket->state() == QLocalSocket::UnconnectedState) {
                socket->disconnected();
            }
        }
    });
}

bool QtPlatform::handOverToRunningProgram() const {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kOtherStartTimeoutMs)) {
        return false;
    }
    socket.write(handOverMessage(handOver_));
    socket.waitForBytesWritten(kOtherStartTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(kOtherStartTimeoutMs);
    }
    return true;
}

bool QtPlatform::anotherInstanceRunning() {
    if (!lockTried_) {
        lockTried_ = true;
        lock_ = std::make_unique<QLockFile>(lockPath_);
        // Held for the whole run; a lock left by a crashed run names a dead process and is
        // taken over.
        lock_->setStaleLockTime(0);
        if (!lock_->tryLock(0) && lock_->error() == QLockFile::LockFailedError) {
            // A lock file that names no process was left by a run that died while taking
            // it; it holds nothing.
            qint64 pid = 0;
            QString host;
            QString program;
            if (!lock_->getLockInfo(&pid, &host, &program) && lock_->removeStaleLockFile()) {
                lock_->tryLock(0);
            }
        }
        // Only a lock held by a live program counts; a folder we cannot write does not keep
        // the user from working.
        otherInstance_ = !lock_->isLocked() && lock_->error() == QLockFile::LockFailedError;
        if (lock_->isLocked()) {
            listenForOtherStarts();
        }
    }
    return otherInstance_;
}

bool QtPlatform::openFolder(const std::string& folder) {
    const QString opener = QStandardPaths::findExecutable(kOpener);
    if (opener.isEmpty()) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(fromUtf8(folder)));
    }
    // The opener ends at once with an error when the desktop has no file manager; one that
    // is still running has started it.
    auto* process = new QProcess(qApp);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(opener, {fromUtf8(folder)});
    if (!process->waitForStarted()) {
        process->deleteLater();
        return false;
    }
    if (process->waitForFinished(kOpenerWaitMs)) {
        return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    }
    return true;
}

bool QtPlatform::showHelp(const std::string& helpFile) {
    if (!help_) {
        help_ = std::make_unique<HelpWindow>();
    }
    return help_->showFile(fromUtf8(helpFile));
}

void QtPlatform::followHelp(const std::string& helpFile) {
    if (help_ && help_->isVisible() && !helpFile.empty()) {
        help_->showFile(fromUtf8(helpFile), false);
    }
}

std::optional<std::string> QtPlatform::setting(std::string_view key) const {
    const QSettings settings;
    const QString name = QString::fromUtf8(key.data(), qsizetype(key.size()));
    if (!settings.contains(name)) {
        return std::nullopt;
    }
    return toUtf8(settings.value(name).toString());
}

void QtPlatform::keepSetting(std::string_view key, const std::string& value) {
    QSettings settings;
    settings.setValue(QString::fromUtf8(key.data(), qsizetype(key.size())), fromUtf8(value));
}

void QtPlatform::endProgram() {
    if (otherInstance_) {
        // This start was refused; the running program comes to the front instead.
        handOverToRunningProgram();
    }
    endRequested_ = true;
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

}  // namespace kw::gui

namespace kw::gui {

std::optional<PrintChoice> QtPlatform::choosePrinter(const std::string& documentName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(fromUtf8(documentName));
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, dialogParent());
    // The sheet is one page.
    dialog.setMinMax(1, 1);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    PrintChoice choice;
    choice.copies = printer.copyCount();
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (printer.outputFileName().isEmpty()) {
            return std::nullopt;
        }
        choice.pdfFile = toUtf8(printer.outputFileName());
    } else {
        choice.printer = toUtf8(printer.printerName());
    }
    return choice;
}

}  // namespace kw::gui
