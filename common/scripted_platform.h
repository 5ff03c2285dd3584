#pragma once

// A platform without a screen, for the command-line tool and the tests: it records every
// call and replays queued answers (message box buttons, file dialog names). Unscripted
// message boxes are answered OK (Discard where the box offers Save / Discard / Cancel: go on,
// as OK does), unscripted dialogs are cancelled.

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/services.h"

namespace kw {

class ScriptedPlatform : public Platform {
public:
    // ---- scripted answers ----
    std::deque<MsgAnswer> answers;
    std::deque<std::optional<std::string>> dialogAnswers;
    std::deque<std::optional<PrintChoice>> printAnswers;
    char separator = '.';
    LocalTime time{2026, 3, 5, 14, 30, 5};
    std::string appFolder = "/opt/kernwijs";
    std::string workFolder = ".";
    std::string docsFolder;  // none unless a test gives one
    std::vector<std::string> readOnlyFolders;
    bool otherInstance = false;
    bool helpWorks = true;
    bool folderOpens = true;
    std::map<std::string, std::string, std::less<>> settings;  // kept between runs

    // ---- what happened ----
    std::vector<MessageBox> shown;
    int beeps = 0;
    std::vector<std::string> focused;
    std::vector<std::pair<std::string, std::string>> hints;  // control, text
    std::vector<FileDialogRequest> openDialogs;
    std::vector<FileDialogRequest> saveDialogs;
    std::vector<std::string> printDialogs;  // the document names
    std::vector<std::string> openedFolders;
    std::vector<std::string> helpShown;
    std::vector<std::string> helpFollowed;
    int endRequests = 0;

    MsgAnswer showMessage(const MessageBox& box) override {
        shown.push_back(box);
        if (answers.empty()) {
            return box.buttons == MsgButtons::SaveDiscardCancel ? MsgAnswer::Discard : MsgAnswer::Ok;
        }
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void beep() override { ++beeps; }
    void setFocus(std::string_view control) override { focused.emplace_back(control); }
    void showHint(std::string_view control, const std::string& text) override {
        hints.emplace_back(std::string(control), text);
    }
    char decimalSeparator() const override { return separator; }
    LocalTime now() const override { return time; }
    std::optional<std::string> openFileName(const FileDialogRequest& request) override {
        openDialogs.push_back(request);
        return nextDialogAnswer();
    }
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override {
        saveDialogs.push_back(request);
        return nextDialogAnswer();
    }
    std::string applicationFolder() const override { return appFolder; }
    std::string currentFolder() const override { return workFolder; }
    std::string documentsFolder() const override { return docsFolder; }
    bool folderWritable(const std::string& folder) const override {
        return std::find(readOnlyFolders.begin(), readOnlyFolders.end(), folder) == readOnlyFolders.end();
    }
    bool anotherInstanceRunning() override { return otherInstance; }
    bool openFolder(const std::string& folder) override {
        openedFolders.push_back(folder);
        return folderOpens;
    }
    bool showHelp(const std::string& helpFile) override {
        helpShown.push_back(helpFile);
        return helpWorks;
    }
    void followHelp(const std::string& helpFile) override { helpFollowed.push_back(helpFile); }
    void endProgram() override { ++endRequests; }
    std::optional<std::string> setting(std::string_view key) const override {
        const auto it = settings.find(key);
        return it == settings.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void keepSetting(std::string_view key, const std::string& value) override {
        settings.insert_or_assign(std::string(key), value);
    }
    std::optional<PrintChoice> choosePrinter(const std::string& documentName) override {
        printDialogs.push_back(documentName);
        if (printAnswers.empty()) {
            return std::nullopt;
        }
        auto a = printAnswers.front();
        printAnswers.pop_front();
        return a;
    }

    const MessageBox& lastMessage() const { return shown.back(); }

private:
    std::optional<std::string> nextDialogAnswer() {
        if (dialogAnswers.empty()) {
            return std::nullopt;
        }
        auto a = dialogAnswers.front();
        dialogAnswers.pop_front();
        return a;
    }
};

}  // namespace kw
