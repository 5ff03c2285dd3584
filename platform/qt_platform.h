#pragma once

// The platform services for the desktop: Qt message boxes and file dialogs, the user's
// locale, a single-instance lock, the desktop's file manager, the help window and the
// print dialog.

#include <QLockFile>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/services.h"

class QLocalServer;
class QWidget;

namespace kw::gui {

class HelpWindow;

class QtPlatform : public Platform {
public:
    // lockName names the single-instance lock; programs with the same name exclude each other.
    explicit QtPlatform(QString lockName = QStringLiteral("kernwijs"));
    ~QtPlatform() override;

    bool endRequested() const { return endRequested_; }
    // The single-instance lock file.
    QString lockFilePath() const { return lockPath_; }
    // The socket beside the lock on which a second start asks the running one to come
    // to the front.
    QString socketPath() const;
    // Called in the running program when a second start has been refused, with the files
    // that start was given (absolute paths; none for a plain start).
    void onAnotherStart(std::function<void(const QStringList&)> handler) {
        anotherStart_ = std::move(handler);
    }
    // The files this start was given; a refused start hands them to the running program.
    void setFilesToHandOver(QStringList files) { handOver_ = std::move(files); }
    // Hands the files to the running program, which brings its windows to the front; false
    // when no program answered.
    bool handOverToRunningProgram() const;
    // Closes the help window, if one is open.
    void closeHelp();

    // ---- Messages ----
    MsgAnswer showMessage(const MessageBox& box) override;
    void beep() override;
    // ---- Focus ----
    void setFocus(std::string_view control) override;
    void showHint(std::string_view control, const std::string& text) override;
    // ---- Locale ----
    char decimalSeparator() const override;
    // ---- Clock ----
    LocalTime now() const override;
    // ---- FileDialogs ----
    std::optional<std::string> openFileName(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override;
    // ---- Desktop ----
    std::string applicationFolder() const override;
    std::string currentFolder() const override;
    std::string documentsFolder() const override;
    bool folderWritable(const std::string& folder) const override;
    bool anotherInstanceRunning() override;
    bool openFolder(const std::string& folder) override;
    bool showHelp(const std::string& helpFile) override;
    void followHelp(const std::string& helpFile) override;
    void endProgram() override;
    // ---- Settings ----
    std::optional<std::string> setting(std::string_view key) const override;
    void keepSetting(std::string_view key, const std::string& value) override;
    // ---- PrintDialogs ----
    std::optional<PrintChoice> choosePrinter(const std::string& documentName) override;

private:
    QString lockPath_;
    std::unique_ptr<QLockFile> lock_;
    bool lockTried_ = false;
    bool otherInstance_ = false;
    bool endRequested_ = false;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void(const QStringList&)> anotherStart_;
    QStringList handOver_;

    void listenForOtherStarts();
};

// ---- pieces of the services, apart for testing ----

// A message text for the screen: a CR, or CR LF, becomes a line break.
QString screenText(const std::string& text);
// "desc|pattern|desc|pattern" as a Qt name filter list ("desc (pattern)").
QStringList qtNameFilters(const std::string& filter);
// The files a second start hands over, one absolute path a line, as the socket carries them.
QByteArray handOverMessage(const QStringList& files);
QStringList handedOverFiles(const QByteArray& message);
// The folder that holds the help files and the template: the program's own folder when
// they lie beside it (a build tree), otherwise the installed data folder.
QString findApplicationFolder(const QString& programFolder, const QStringList& dataFolders);

}  // namespace kw::gui
