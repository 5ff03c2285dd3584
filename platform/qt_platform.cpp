#include "platform/qt_platform.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
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

QString lockFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder;
}

std::optional<std::string> runFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(dialogParent(), fromUtf8(request.title));
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
    const bool withCancel = box.buttons == MsgButtons::OkCancel;
    QMessageBox dialog(icon, fromUtf8(box.title), screenText(box.text),
                       withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, dialogParent());
    dialog.setTextFormat(Qt::PlainText);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setDefaultButton(QMessageBox::Ok);
    dialog.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    dialog.exec();
    // Closing the box by its frame counts as Cancel where there is one.
    return dialog.clickedButton() == dialog.button(QMessageBox::Ok) ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

void QtPlatform::beep() {
    QApplication::beep();
}

void QtPlatform::setFocus(std::string_view control) {
    // Controls carry their names as object names; the active window's come first, as
    // two windows may use the same name.
    const QString name = QString::fromUtf8(control.data(), qsizetype(control.size()));
    QWidgetList windows = QApplication::topLevelWidgets();
    if (QWidget* active = QApplication::activeWindow()) {
        windows.prepend(active);
    }
    for (QWidget* window : windows) {
        if (!window->isVisible()) {
            continue;
        }
        if (auto* widget = window->findChild<QWidget*>(name); widget && widget->isEnabled()) {
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
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
    }
    return otherInstance_;
}

bool QtPlatform::openFolder(const std::string& folder) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fromUtf8(folder)));
}

bool QtPlatform::showHelp(const std::string& helpFile) {
    if (!help_) {
        help_ = std::make_unique<HelpWindow>();
    }
    return help_->showFile(fromUtf8(helpFile));
}

void QtPlatform::endProgram() {
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
