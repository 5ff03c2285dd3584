#include "cli_support.h"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace kw::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTemplateName = "RINGBLAD3.PS";
constexpr const char* kOwnExecutable = "/proc/self/exe";
constexpr int kFirstYear = 1900;  // struct tm counts years from here

LocalTime computerTime() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return {t.tm_year + kFirstYear, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

}  // namespace

void addLangOption(CLI::App& command, std::string& lang) {
    command.add_option("--lang", lang, "language of the messages: NL or UK")
        ->transform(CLI::IsMember({std::string(kLangDutch), std::string(kLangEnglish)}, CLI::ignore_case));
}

std::string applicationFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink(kOwnExecutable, ec);
    if (!ec && fs::is_regular_file(exe.parent_path() / kTemplateName, ec)) {
        return exe.parent_path().string();
    }
    return KERNWIJS_DATA_DIR;
}

void prepareRunPlatform(ScriptedPlatform& platform) {
    platform.appFolder = applicationFolder();
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    platform.workFolder = ec ? std::string(".") : here.string();
    platform.time = computerTime();
}

void selectSheetLanguage(DataSheet& sheet, std::string_view lang) {
    sheet.selectLanguage(lang == kLangEnglish ? 1 : 0);
}

void emptyAllFields(DataSheet& sheet) {
    for (const auto& name : DataSheet::textFieldNames()) {
        *sheet.field(name) = "";
    }
}

void loadSheetFile(DataSheet& sheet, ScriptedPlatform& platform, const std::string& path) {
    platform.dialogAnswers.push_back(path);
    sheet.cmdInvoer_Click();
}

void saveSheetFile(DataSheet& sheet, ScriptedPlatform& platform, const std::string& path) {
    platform.dialogAnswers.push_back(path);
    sheet.cmdUitvoer_Click();
}

bool openSheetFile(DataSheet& sheet, ScriptedPlatform& platform, const std::string& path) {
    emptyAllFields(sheet);
    if (!sheet.files->fileExists(path)) {
        return true;
    }
    const std::size_t before = platform.shown.size();
    loadSheetFile(sheet, platform, path);
    return platform.shown.size() == before;
}

void printMessages(const ScriptedPlatform& platform, std::ostream& out, std::size_t from) {
    for (std::size_t i = from; i < platform.shown.size(); ++i) {
        const MessageBox& box = platform.shown[i];
        out << box.title << '\n';
        std::string_view text = box.text;
        while (!text.empty()) {
            const std::size_t cr = text.find('\r');
            out << "  " << text.substr(0, cr) << '\n';
            text = cr == std::string_view::npos ? std::string_view{} : text.substr(cr + 1);
        }
    }
}

bool problemShown(const ScriptedPlatform& platform, std::size_t from) {
    for (std::size_t i = from; i < platform.shown.size(); ++i) {
        if (platform.shown[i].icon != MsgIcon::None) {
            return true;
        }
    }
    return false;
}

}  // namespace kw::cli
