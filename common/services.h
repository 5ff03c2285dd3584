#pragma once

// Everything the windows need from the outside world. The core only talks to these
// interfaces; the Qt binding implements them for real and the tests use a fake.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

enum class MsgIcon { None, Critical, Question };
enum class MsgButtons { Ok, OkCancel, SaveDiscardCancel };
enum class MsgAnswer { Ok, Cancel, Save, Discard };

struct MessageBox {
    std::string title;
    std::string text;  // lines joined by a single CR
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    bool systemModal = false;
    // The buttons' captions in their order, in the language of the text; empty: the toolkit's.
    std::vector<std::string> buttonTexts = {};

    bool operator==(const MessageBox&) const = default;
};

class Messages {
public:
    virtual ~Messages() = default;
    virtual MsgAnswer showMessage(const MessageBox& box) = 0;
    virtual void beep() = 0;
};

// Gives the named control of the active window the keyboard focus ("txtCap").
class Focus {
public:
    virtual ~Focus() = default;
    virtual void setFocus(std::string_view control) = 0;
    // Shows a short note at the named control of the active window for a moment, such as
    // what a box accepts after a refused key.
    virtual void showHint(std::string_view control, const std::string& text) = 0;
};

class Locale {
public:
    virtual ~Locale() = default;
    // The user's decimal separator, used when writing result texts.
    virtual char decimalSeparator() const = 0;
};

struct LocalTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
    int second = 0;

    bool operator==(const LocalTime&) const = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
};

struct FileDialogRequest {
    std::string title;
    std::string filter;      // "Toroid (*.TOR)|*.TOR": description|pattern pairs
    std::string defaultExt;  // without dot, may be empty
    std::string initialFolder;
    std::string initialName;
    bool overwritePrompt = false;

    bool operator==(const FileDialogRequest&) const = default;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file, or nullopt when the user cancelled.
    virtual std::optional<std::string> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileName(const FileDialogRequest& request) = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // Folder that holds the program and its data files (template, help), no trailing separator.
    virtual std::string applicationFolder() const = 0;
    // The current working folder, where VOORVUL.INI is looked for.
    virtual std::string currentFolder() const = 0;
    // The user's documents folder (the desktop's documents location, else the home folder),
    // no trailing separator; empty when there is none.
    virtual std::string documentsFolder() const = 0;
    // True when the program may create files in the folder.
    virtual bool folderWritable(const std::string& folder) const = 0;
    virtual bool anotherInstanceRunning() = 0;
    // Opens the folder in the desktop's file manager; false when that failed.
    virtual bool openFolder(const std::string& folder) = 0;
    // Makes the given help file the one on display; false when it could not be shown.
    virtual bool showHelp(const std::string& helpFile) = 0;
    // An open help window changes to the given file, staying where it is; nothing when no
    // help window is open.
    virtual void followHelp(const std::string& helpFile) = 0;
    // Ends the whole program once the current operation has returned.
    virtual void endProgram() = 0;
};

// What the user chose in the print dialog.
struct PrintChoice {
    std::string printer;  // the print system's name of the printer; empty: its default printer
    int copies = 1;
    std::string pdfFile;  // not empty: print into this PDF file instead of on paper

    bool operator==(const PrintChoice&) const = default;
};

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // The print dialog for a one-page document; nullopt when the user cancelled.
    virtual std::optional<PrintChoice> choosePrinter(const std::string& documentName) = 0;
};

struct ProcessResult {
    bool started = false;     // false when the program could not be run at all (not installed)
    bool timedOut = false;    // stopped after the time allowed
    int exitCode = -1;        // -1 when it did not end by itself
    std::string errorOutput;  // its standard error, or why it could not be started

    bool succeeded() const { return started && !timedOut && exitCode == 0; }
    bool operator==(const ProcessResult&) const = default;
};

// Runs another program (Ghostscript, the print system's lp) and waits for it. Safe to call
// from several threads at once.
class Processes {
public:
    virtual ~Processes() = default;
    // program is looked up in PATH; the arguments reach it as they are, with no shell between.
    virtual ProcessResult run(const std::string& program, const std::vector<std::string>& arguments,
                              int timeoutSeconds) = 0;
};

// The user's choices kept from one run to the next, under plain keys ("language"); values
// are texts. A first run has none.
class Settings {
public:
    virtual ~Settings() = default;
    // The value kept under the key, or nullopt when none is.
    virtual std::optional<std::string> setting(std::string_view key) const = 0;
    virtual void keepSetting(std::string_view key, const std::string& value) = 0;
};

// All services of one running program.
class Platform : public Messages,
                 public Focus,
                 public Locale,
                 public Clock,
                 public FileDialogs,
                 public Desktop,
                 public PrintDialogs,
                 public Settings {};

}  // namespace kw
