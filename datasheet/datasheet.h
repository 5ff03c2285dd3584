#pragma once

// The data sheet window as a record of its texts and control states plus the operations
// its buttons trigger. Nothing on the sheet is parsed as a number.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/controls.h"
#include "common/file_system.h"
#include "common/services.h"
#include "datasheet/captions.h"

namespace kw {

inline constexpr int kMeasurementLines = 7;
inline constexpr int kLineFields = 10;
inline constexpr int kInfoLines = 8;

// The ten fields of a measurement line, in their fixed order.
enum class LineField { N, C, Fres, mH, f1, f2, Q, Top, Rs, Rp };

// Control name stems of the ten fields: "txtN" + line number gives "txtN3".
inline constexpr std::array<std::string_view, kLineFields> kLineFieldStems = {
    "txtN", "txtC", "txtFres", "txtmH", "txtf1", "txtf2", "txtQ", "txtTop", "txtRs", "txtRp"};

using MeasurementLine = std::array<std::string, kLineFields>;

// Folders of the user's files for this run.
struct FileFolders {
    std::string user;        // empty until the sheet's start-up
    std::string tor;         // of the last .tor file saved or loaded
    std::string postScript;  // of the last page exported

    bool operator==(const FileFolders&) const = default;
};

// The run's folders, shared by every copy of a sheet and kept by DataSheetForm while the
// sheet is closed: where the dialogs start is no part of the sheet's contents.
class RunFolders {
public:
    FileFolders* operator->() const { return folders_.get(); }
    FileFolders& operator*() const { return *folders_; }
    bool operator==(const RunFolders& other) const { return *folders_ == *other.folders_; }

private:
    std::shared_ptr<FileFolders> folders_ = std::make_shared<FileFolders>();
};

struct DataSheet {
    // ---- outside world (not drawn) ----
    Platform* platform = nullptr;
    FileSystem* files = nullptr;
    Processes* processes = nullptr;  // Ghostscript and the print system; none: neither is there

    // ---- texts; an empty box shows its placeholder (placeholderOf) as a grey hint ----
    std::string txtDD;
    std::string txtMM;
    std::string txtJJ;
    std::string txtTest1;
    std::string txtFabr1;
    std::string txtFabr2;
    std::string txtType1;
    std::string txtType2;
    std::string txtType3;
    std::string txtBuiten;
    std::string txtBinnen;
    std::string txtHoog;
    std::string txtRi;
    std::string txtMu;
    std::array<MeasurementLine, kMeasurementLines> lines{};
    std::array<std::string, kInfoLines> txtRegel{};

    // ---- other controls, as designed (Dutch captions; the title differs in one letter) ----
    std::string caption = "Ferriet Invul vorm";  // window title, both languages
    std::string Label2 = "Ringkern / Ferriet Invul vorm";
    std::string Frame1{kDataSheetDutch.Frame1};
    Button cmdDatum{std::string(kDataSheetDutch.cmdDatum)};
    Button cmdVoorVul{std::string(kDataSheetDutch.cmdVoorVul)};
    Button cmdWis{std::string(kDataSheetDutch.cmdWis)};
    Button cmdWisM{std::string(kDataSheetDutch.cmdWisM)};
    Button cmdExport{std::string(kDataSheetDutch.cmdExport)};
    CheckBox chkCSV{"+CSV", 0, true};
    CheckBox chkPDF{"+PDF", 0, true};  // Export PS also writes the page as PDF
    Button cmdPrint{std::string(kDataSheetDutch.cmdPrint)};
    Button cmdMap{std::string(kDataSheetDutch.cmdMap)};
    Button cmdSluiten{std::string(kDataSheetDutch.cmdSluiten)};
    Button cmdInvoer{std::string(kDataSheetDutch.cmdInvoer)};
    Button cmdUitvoer{std::string(kDataSheetDutch.cmdUitvoer)};
    OptionPair optLANG{{"NL", "UK"}, kNoSelection};

    std::string appFolder;  // the program's own files (template), taken at Form_Load
    RunFolders folders;     // where the file dialogs start

    // ---- the sheet as a document ----
    std::string fileName;                 // the .tor file last saved or loaded; empty: none
    std::vector<std::string> savedTexts;  // every text field then (textFieldNames order); empty: all empty

    bool operator==(const DataSheet&) const = default;

    // ---- field access ----
    // Measurement line k (1..7), field f.
    std::string& line(int k, LineField f) { return lines.at(k - 1).at(static_cast<int>(f)); }
    const std::string& line(int k, LineField f) const { return lines.at(k - 1).at(static_cast<int>(f)); }
    std::string& regel(int k) { return txtRegel.at(k - 1); }
    const std::string& regel(int k) const { return txtRegel.at(k - 1); }
    // A text field by its control name ("txtFabr1", "txtN3", "txtRegel8"); nullptr when unknown.
    std::string* field(std::string_view controlName);
    const std::string* field(std::string_view controlName) const;
    // Every text field's control name, header fields first, then the measurement lines
    // line by line, then the info lines.
    static const std::vector<std::string>& textFieldNames();

    // The grey hint an empty box shows: its control name without "txt" ("Fabr1", "N3").
    static std::string placeholderOf(std::string_view controlName);
    // Where the .tor dialogs and the PostScript export start: the folder of the last such
    // file this run, else the folder for the user's files.
    std::string torFolder() const;
    std::string exportFolder() const;
    // The program's folder when it is writable (a build tree, a portable copy), else the
    // user's documents folder.
    std::string userFolder() const;

    // English while "UK" is selected, Dutch otherwise (also with neither selected).
    bool english() const { return optLANG.selected == 1; }

    // Every text field, in the order of textFieldNames.
    std::vector<std::string> texts() const;
    // True while a text differs from the file last saved or loaded (from the empty sheet
    // before either).
    bool unsaved() const;
    // The texts as they stand are the ones in fileName.
    void markSaved();
    // The window's title: the caption, then the file's name and a mark for unsaved changes.
    std::string windowTitle() const;
    // Before the texts go (Close, End, loading a file): with unsaved changes asks Save /
    // Discard / Cancel in the language given; Save runs Output. True when the caller may go
    // on: nothing unsaved, discarded, or saved.
    bool keepWork(bool inEnglish);
    // The question box shared by Delete Datalines, Delete All and Close; true on OK.
    bool confirm();

    // Selects a language button; when it was not selected yet, optLANG_Click runs.
    void selectLanguage(std::int16_t index);
    // Clears a language button's selection; nothing runs.
    void clearLanguage(std::int16_t index);
    // The language the Calculator chose: selects UK for English, else clears it (the sheet
    // reads neither as Dutch), and sets every caption of that language.
    void followLanguage(bool inEnglish);

    // ---- operations ----
    void Form_Load();
    void cmdDatum_Click();
    void cmdWisM_Click();
    void cmdWis_Click();
    void cmdMap_Click();
    void optLANG_Click(std::int16_t Index);
    void cmdUitvoer_Click();  // save a .tor file
    void cmdInvoer_Click();   // load a .tor file
    // Loads the given .tor file as Input does after its dialog, once unsaved changes are
    // saved or given up (a file named on the command line, or dropped onto the sheet).
    void openTorFile(const std::string& path);
    void Form_DragDrop(const std::string& path);
    // The folder of a .tor file or of an exported page, kept for this run and the next.
    void rememberTorFolder(const std::string& file) const;
    void rememberExportFolder(const std::string& file) const;
    void cmdVoorVul_Click();  // prefill from VOORVUL.INI
    void cmdExport_Click();   // PostScript page, and CSV with "+CSV", PDF with "+PDF"
    void cmdPrint_Click();    // the page on a printer, through the print dialog

    // Reads the file into the sheet, with the messages of Input; no question, no dialog.
    void loadTorFile(const std::string& path);

    // Every measurement field holding its placeholder, as a loaded file may.
    static std::array<MeasurementLine, kMeasurementLines> placeholderLines();
};

// The data sheet window's lifecycle: loaded or not, shown or hidden. The Calculator
// reaches the sheet only through show() and getHidden().
class DataSheetForm {
public:
    DataSheetForm(Platform& platform, FileSystem& files, Processes* processes = nullptr)
        : platform_(&platform), files_(&files), processes_(processes) {}

    bool loaded() const { return sheet_.has_value(); }
    bool visible() const { return loaded() && visible_; }

    // Shows the sheet, creating it first (Form_Load) when it is not loaded.
    DataSheet& show();
    // The sheet, created hidden when it is not loaded.
    DataSheet& getHidden();
    // The loaded sheet, or nullptr.
    DataSheet* get() { return sheet_ ? &*sheet_ : nullptr; }
    const DataSheet* get() const { return sheet_ ? &*sheet_ : nullptr; }
    // Closes the window and discards every text.
    void unload();

    // The Close button, and the window's own close control: Save / Discard / Cancel with
    // unsaved changes, "You're sure?" without; then unload.
    void cmdSluiten_Click();
    void closeRequested() { cmdSluiten_Click(); }
    // Before the program ends: as Close asks, in the language given; true when it may end.
    // Nothing is unloaded.
    bool mayEnd(bool inEnglish);

private:
    DataSheet& create();

    Platform* platform_;
    FileSystem* files_;
    Processes* processes_;
    std::optional<DataSheet> sheet_;
    RunFolders folders_;        // kept while the sheet is unloaded
    bool foldersRead_ = false;  // the last run's folders are read at the first load
    bool visible_ = false;
};

}  // namespace kw
