#include "datasheet/datasheet.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "common/path_text.h"
#include "datasheet/messages.h"

namespace kw {

namespace {

using HeaderMember = std::string DataSheet::*;

struct HeaderField {
    std::string_view name;
    HeaderMember member;
};

// Header fields in the order the sheet lists them.
constexpr HeaderField kHeaderFields[] = {
    {"txtDD", &DataSheet::txtDD},         {"txtMM", &DataSheet::txtMM},
    {"txtJJ", &DataSheet::txtJJ},         {"txtTest1", &DataSheet::txtTest1},
    {"txtFabr1", &DataSheet::txtFabr1},   {"txtFabr2", &DataSheet::txtFabr2},
    {"txtType1", &DataSheet::txtType1},   {"txtType2", &DataSheet::txtType2},
    {"txtType3", &DataSheet::txtType3},   {"txtBuiten", &DataSheet::txtBuiten},
    {"txtBinnen", &DataSheet::txtBinnen}, {"txtHoog", &DataSheet::txtHoog},
    {"txtRi", &DataSheet::txtRi},         {"txtMu", &DataSheet::txtMu},
};

constexpr std::string_view kRegelStem = "txtRegel";

// The line number at the end of a control name that starts with stem, or 0.
int numberAfter(std::string_view name, std::string_view stem, int max) {
    if (name.size() != stem.size() + 1 || name.substr(0, stem.size()) != stem) {
        return 0;
    }
    const int k = name.back() - '0';
    return k >= 1 && k <= max ? k : 0;
}

// Between the caption and the file's name, and after the name while something is unsaved.
constexpr std::string_view kTitleSeparator = " \u2013 ";
constexpr std::string_view kUnsavedMark = " *";

constexpr std::string_view kTorFolderKey = "folders/tor";
constexpr std::string_view kExportFolderKey = "folders/export";

void clearMeasurements(DataSheet& sheet) {
    for (auto& measurement : sheet.lines) {
        for (auto& text : measurement) {
            text.clear();
        }
    }
}

}  // namespace

std::array<MeasurementLine, kMeasurementLines> DataSheet::placeholderLines() {
    std::array<MeasurementLine, kMeasurementLines> result;
    for (int k = 1; k <= kMeasurementLines; ++k) {
        for (int f = 0; f < kLineFields; ++f) {
            result[k - 1][f] = placeholderOf(std::string(kLineFieldStems[f]) + std::to_string(k));
        }
    }
    return result;
}

std::string DataSheet::placeholderOf(std::string_view controlName) {
    constexpr std::string_view kTextBoxPrefix = "txt";
    if (controlName.starts_with(kTextBoxPrefix)) {
        controlName.remove_prefix(kTextBoxPrefix.size());
    }
    return std::string(controlName);
}

std::string DataSheet::userFolder() const {
    if (!folders->user.empty()) {
        return folders->user;
    }
    const std::string program = appFolder.empty() ? platform->applicationFolder() : appFolder;
    if (platform->folderWritable(program)) {
        return program;
    }
    const std::string documents = platform->documentsFolder();
    return documents.empty() ? program : documents;
}

std::string DataSheet::torFolder() const {
    return folders->tor.empty() ? userFolder() : folders->tor;
}

std::string DataSheet::exportFolder() const {
    return folders->postScript.empty() ? userFolder() : folders->postScript;
}

std::string* DataSheet::field(std::string_view controlName) {
    return const_cast<std::string*>(std::as_const(*this).field(controlName));
}

const std::string* DataSheet::field(std::string_view controlName) const {
    for (const auto& h : kHeaderFields) {
        if (h.name == controlName) {
            return &(this->*h.member);
        }
    }
    if (const int k = numberAfter(controlName, kRegelStem, kInfoLines)) {
        return &regel(k);
    }
    for (int f = 0; f < kLineFields; ++f) {
        if (const int k = numberAfter(controlName, kLineFieldStems[f], kMeasurementLines)) {
            return &line(k, static_cast<LineField>(f));
        }
    }
    return nullptr;
}

const std::vector<std::string>& DataSheet::textFieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const auto& h : kHeaderFields) {
            all.emplace_back(h.name);
        }
        for (int k = 1; k <= kMeasurementLines; ++k) {
            for (const auto stem : kLineFieldStems) {
                all.push_back(std::string(stem) + std::to_string(k));
            }
        }
        for (int k = 1; k <= kInfoLines; ++k) {
            all.push_back(std::string(kRegelStem) + std::to_string(k));
        }
        return all;
    }();
    return names;
}

std::vector<std::string> DataSheet::texts() const {
    std::vector<std::string> all;
    for (const std::string& name : textFieldNames()) {
        all.push_back(*field(name));
    }
    return all;
}

bool DataSheet::unsaved() const {
    const std::vector<std::string> now = texts();
    if (savedTexts.empty()) {
        return std::any_of(now.begin(), now.end(), [](const std::string& t) { return !t.empty(); });
    }
    return now != savedTexts;
}

void DataSheet::markSaved() {
    savedTexts = texts();
    if (std::all_of(savedTexts.begin(), savedTexts.end(), [](const std::string& t) { return t.empty(); })) {
        savedTexts.clear();
    }
}

std::string DataSheet::windowTitle() const {
    std::string title = caption;
    if (!fileName.empty()) {
        title += std::string(kTitleSeparator) + FileOnly(fileName);
    }
    if (unsaved()) {
        title += kUnsavedMark;
    }
    return title;
}

bool DataSheet::keepWork(bool inEnglish) {
    if (!unsaved()) {
        return true;
    }
    switch (show(*platform, kUnsaved, inEnglish)) {
        case MsgAnswer::Save:
            // A cancelled or failed save keeps the sheet open.
            cmdUitvoer_Click();
            return !unsaved();
        case MsgAnswer::Discard:
            return true;
        default:
            return false;
    }
}

void DataSheet::rememberTorFolder(const std::string& file) const {
    folders->tor = FolderOnly(file);
    platform->keepSetting(kTorFolderKey, folders->tor);
}

void DataSheet::rememberExportFolder(const std::string& file) const {
    folders->postScript = FolderOnly(file);
    platform->keepSetting(kExportFolderKey, folders->postScript);
}

void DataSheet::Form_DragDrop(const std::string& path) {
    openTorFile(path);
}

bool DataSheet::confirm() {
    return kw::confirm(*platform, english());
}

void DataSheet::selectLanguage(std::int16_t index) {
    if (optLANG.selected != index) {
        optLANG_Click(index);
    }
}

void DataSheet::clearLanguage(std::int16_t index) {
    if (optLANG.selected == index) {
        optLANG.selected = kNoSelection;
    }
}

void DataSheet::Form_Load() {
    if (platform->anotherInstanceRunning()) {
        // The Calculator's start-up refusal, modal to this window only.
        BilingualMessage refusal = kAlreadyRunning;
        refusal.systemModal = false;
        show(*platform, refusal, english());
        platform->endProgram();
        return;
    }
    appFolder = platform->applicationFolder();
    folders->user.clear();
    folders->user = userFolder();
    chkCSV.enabled = true;
    chkCSV.value = 0;
    chkPDF.enabled = true;
    chkPDF.value = 0;
}

void DataSheet::cmdDatum_Click() {
    const LocalTime today = platform->now();
    // "dd-mm-yyyy"; the year box takes the last two characters (the sheet prints 20 before it).
    char date[32];
    std::snprintf(date, sizeof date, "%02d-%02d-%04d", today.day, today.month, today.year);
    const std::string text = date;
    txtDD = text.substr(0, 2);
    txtMM = text.substr(3, 2);
    txtJJ = text.substr(text.size() - 2);
}

void DataSheet::cmdWisM_Click() {
    if (!confirm()) {
        return;
    }
    clearMeasurements(*this);
    regel(kInfoLines).clear();  // info line 8, the one Fill Line appends L values to
}

void DataSheet::cmdWis_Click() {
    if (!confirm()) {
        return;
    }
    clearMeasurements(*this);
    for (std::string* text : {&txtRi, &txtMu, &txtFabr1, &txtFabr2, &txtType1, &txtType2, &txtType3,
                              &txtBuiten, &txtBinnen, &txtHoog, &txtTest1}) {
        text->clear();
    }
    for (auto& text : txtRegel) {
        text.clear();
    }
}

void DataSheet::cmdMap_Click() {
    const std::string folder = exportFolder();
    if (!platform->openFolder(folder)) {
        show(*platform, kNoFileManager, english(), {folder});
    }
}

void DataSheet::optLANG_Click(std::int16_t Index) {
    const bool toEnglish = Index == 1;
    optLANG.selected = toEnglish ? 1 : 0;
    cmdSluiten.caption = dataSheetCaptions(toEnglish).cmdSluiten;
}

void DataSheet::followLanguage(bool inEnglish) {
    constexpr std::int16_t kEnglishIndex = 1;
    if (inEnglish) {
        selectLanguage(kEnglishIndex);
    } else {
        clearLanguage(kEnglishIndex);
    }
    const DataSheetCaptions& s = dataSheetCaptions(inEnglish);
    cmdDatum.caption = s.cmdDatum;
    cmdWis.caption = s.cmdWis;
    cmdWisM.caption = s.cmdWisM;
    cmdExport.caption = s.cmdExport;
    cmdMap.caption = s.cmdMap;
    cmdSluiten.caption = s.cmdSluiten;
    cmdVoorVul.caption = s.cmdVoorVul;
    Label2 = s.Label2;
    cmdInvoer.caption = s.cmdInvoer;
    cmdUitvoer.caption = s.cmdUitvoer;
    Frame1 = s.Frame1;
    cmdPrint.caption = s.cmdPrint;
}

DataSheet& DataSheetForm::create() {
    if (!foldersRead_) {
        // The folders of the last run, where the dialogs start until this run has its own.
        foldersRead_ = true;
        folders_->tor = platform_->setting(kTorFolderKey).value_or("");
        folders_->postScript = platform_->setting(kExportFolderKey).value_or("");
    }
    sheet_.emplace();
    sheet_->platform = platform_;
    sheet_->files = files_;
    sheet_->processes = processes_;
    sheet_->folders = folders_;
    visible_ = false;
    sheet_->Form_Load();
    return *sheet_;
}

DataSheet& DataSheetForm::show() {
    DataSheet& sheet = sheet_ ? *sheet_ : create();
    visible_ = true;
    return sheet;
}

DataSheet& DataSheetForm::getHidden() {
    return sheet_ ? *sheet_ : create();
}

void DataSheetForm::unload() {
    sheet_.reset();
    visible_ = false;
}

bool DataSheetForm::mayEnd(bool inEnglish) {
    if (!sheet_) {
        return confirm(*platform_, inEnglish);
    }
    return sheet_->unsaved() ? sheet_->keepWork(inEnglish) : confirm(*platform_, inEnglish);
}

void DataSheetForm::cmdSluiten_Click() {
    if (!sheet_ || !mayEnd(sheet_->english())) {
        return;
    }
    // Every file is read or written whole inside one operation, so none is open here.
    unload();
}

}  // namespace kw
