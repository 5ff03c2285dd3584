#pragma once

// Where the controls of both windows stand and which type they use. The Calculator is
// laid out in twips (15 to a pixel), the data sheet in pixels.

#include <QRect>
#include <span>
#include <string_view>

namespace kw::gui {

// Type of a control's text.
enum class TextStyle {
    Normal,     // 8.4 pt
    Large,      // 9 pt
    Bold,       // 8.4 pt bold
    LargeBold,  // 9 pt bold
    SheetTitle  // the data sheet's own title, bold and larger
};

struct Place {
    std::string_view name;       // control name; option buttons add "_" and the index
    std::string_view container;  // "" for the window itself
    int left, top, width, height;
    TextStyle style = TextStyle::Normal;
};

inline constexpr int kTwipsPerPixel = 15;

inline constexpr int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// ---- Calculator, in twips ----

inline constexpr int kCalculatorWidthTwips = 4824;
inline constexpr int kCalculatorHeightTwips = 8436;

// Containers come before what they contain.
inline constexpr Place kCalculatorPlaces[] = {
    {"Label2", "", 240, 120, 4455, 255, TextStyle::LargeBold},
    {"Label3", "", 240, 360, 4215, 615},
    {"Image1", "", 4200, 360, 384, 384},
    {"Frame2", "", 120, 1080, 4575, 3255, TextStyle::Large},
    {"lblN", "Frame2", 120, 360, 2055, 255},
    {"txtWikkeling", "Frame2", 2400, 360, 375, 285},
    {"Label4", "Frame2", 3120, 360, 975, 255, TextStyle::Large},
    {"cmdHelp", "Frame2", 4200, 240, 255, 255, TextStyle::LargeBold},
    {"lblCap", "Frame2", 120, 840, 1935, 495},
    {"txtCap", "Frame2", 2040, 840, 735, 285},
    {"Frame4", "Frame2", 2760, 720, 1695, 495},
    {"optCapVal_0", "Frame4", 240, 120, 855, 255, TextStyle::Large},
    {"optCapVal_1", "Frame4", 1080, 120, 735, 255, TextStyle::Large},
    {"lblFreq", "Frame2", 120, 1320, 1935, 255},
    {"txtFreq", "Frame2", 2040, 1320, 735, 285},
    {"Frame5", "Frame2", 2760, 1200, 1695, 495},
    {"optFreq_0", "Frame5", 240, 120, 855, 255, TextStyle::Large},
    {"optFreq_1", "Frame5", 1080, 120, 855, 255, TextStyle::Large},
    {"lblFres", "Frame2", 120, 1800, 1935, 255},
    {"txtFres1", "Frame2", 2040, 1800, 735, 285},
    {"txtFres2", "Frame2", 3000, 1800, 735, 285},
    {"chkQaan", "Frame2", 3840, 1800, 615, 255},
    {"Frame3", "Frame2", 120, 2160, 4335, 615},
    {"optTOPC_0", "Frame3", 600, 120, 1575, 375},
    {"optTOPC_1", "Frame3", 2520, 120, 1695, 375},
    {"lblTopR", "Frame2", 480, 2760, 1455, 255},
    {"txtTopR", "Frame2", 1680, 2760, 855, 285},
    {"lblR", "Frame2", 2640, 2760, 1815, 255},
    {"frame1", "", 120, 4440, 4575, 1935, TextStyle::Large},
    {"lblALwaarde", "frame1", 120, 360, 2175, 495},
    {"txtALwaarde", "frame1", 2400, 360, 735, 285},
    {"Label6", "frame1", 3360, 360, 255, 255, TextStyle::Large},
    {"chkLprn", "frame1", 3480, 360, 255, 255},
    {"txtLmH", "frame1", 3720, 360, 735, 285},
    {"lblLoss", "frame1", 3360, 720, 1095, 255},
    {"lblQ", "frame1", 120, 960, 2175, 255},
    {"txtQLC", "frame1", 2400, 960, 735, 285},
    {"Label7", "frame1", 3360, 960, 375, 255, TextStyle::Large},
    {"txtQRS", "frame1", 3720, 960, 735, 285},
    {"lblQR", "frame1", 120, 1200, 2055, 255},
    {"chkQRLC", "frame1", 2160, 1440, 255, 195},
    {"txtQRLC", "frame1", 2400, 1440, 735, 285},
    {"Label8", "frame1", 3360, 1440, 375, 255, TextStyle::Large},
    {"txtQRP", "frame1", 3720, 1440, 735, 285},
    {"lblQRLC", "frame1", 120, 1560, 2175, 255},
    {"Line1", "frame1", 3240, 120, 0, 1800},  // a vertical line from (3240, 120) down
    {"Label1", "", 240, 6480, 4455, 615},
    {"Frame6", "", 3840, 7200, 855, 1095},
    {"optLANG_0", "Frame6", 120, 240, 615, 255, TextStyle::Large},
    {"optLANG_1", "Frame6", 120, 720, 615, 255, TextStyle::Large},
    {"cboKiesregel", "", 360, 7320, 1335, 315},
    {"cmdBereken", "", 2160, 7320, 1335, 375, TextStyle::Bold},
    {"cmdBestand", "", 360, 7920, 1335, 375, TextStyle::Bold},
    {"cmdEinde", "", 2160, 7920, 1335, 375, TextStyle::Bold},
    // Opens an analyser's sweep; in the free corner right of the title, above the picture.
    {"cmdSweep", "", 4065, 90, 690, 270},
};

// ---- data sheet, in pixels ----

// Taller than the button row needs by a second row: Print under Export PS, "+PDF" under "+CSV".
inline constexpr QSize kSheetClientSize{729, 585};
inline constexpr QRect kSheetDrawing{0, 0, 725, 506};

inline constexpr int kSheetBoxHeight = 19;
// Boxes stacked 16 pixels apart (manufacturer, type, info lines) leave a pixel for the
// ruled line under each.
inline constexpr int kSheetStackedBoxHeight = 15;

// The measurement grid: line k (1..7) at kGridTop + kGridPitch * (k - 1).
inline constexpr int kGridTop = 152;
inline constexpr int kGridPitch = 24;
struct GridColumn {
    int left, width;
};
// In the order of the line's fields: N, C, Fres, mH, f1, f2, Q, Top, Rs, Rp.
inline constexpr GridColumn kGridColumns[] = {{152, 25}, {184, 65}, {256, 57}, {328, 49}, {392, 41},
                                              {448, 41}, {496, 41}, {544, 49}, {600, 41}, {648, 49}};

// Info line k (1..8) at kInfoTop + kInfoPitch * (k - 1).
inline constexpr int kInfoLeft = 152;
inline constexpr int kInfoTop = 336;
inline constexpr int kInfoPitch = 16;
inline constexpr int kInfoWidth = 529;

inline constexpr Place kSheetPlaces[] = {
    {"txtDD", "", 32, 72, 25, kSheetBoxHeight},
    {"txtMM", "", 64, 72, 25, kSheetBoxHeight},
    {"txtJJ", "", 120, 72, 25, kSheetBoxHeight},
    {"txtTest1", "", 552, 72, 137, kSheetBoxHeight},
    {"txtFabr1", "", 32, 112, 105, kSheetStackedBoxHeight},
    {"txtFabr2", "", 32, 128, 105, kSheetStackedBoxHeight},
    {"txtType1", "", 32, 168, 105, kSheetStackedBoxHeight},
    {"txtType2", "", 32, 184, 105, kSheetStackedBoxHeight},
    {"txtType3", "", 32, 200, 105, kSheetStackedBoxHeight},
    {"txtBuiten", "", 96, 240, 41, kSheetBoxHeight},
    {"txtBinnen", "", 96, 264, 41, kSheetBoxHeight},
    {"txtHoog", "", 96, 288, 41, kSheetBoxHeight},
    {"txtRi", "", 56, 384, 81, kSheetBoxHeight},
    {"txtMu", "", 56, 448, 81, kSheetBoxHeight},
    // Left of the µ box, under its caption, inside the cell.
    {"cmdKern", "", 20, 447, 32, 21, TextStyle::Bold},
    {"cmdDatum", "", 8, 520, 73, 25, TextStyle::Bold},
    {"cmdVoorVul", "", 96, 520, 73, 25, TextStyle::Bold},
    {"cmdWis", "", 184, 520, 73, 25, TextStyle::Bold},
    {"cmdWisM", "", 272, 520, 105, 25, TextStyle::Bold},
    {"cmdExport", "", 392, 520, 81, 25, TextStyle::Bold},
    {"chkCSV", "", 488, 520, 57, 25},
    {"cmdMap", "", 544, 520, 81, 25, TextStyle::Bold},
    {"cmdSluiten", "", 640, 520, 73, 25, TextStyle::Bold},
    {"cmdPrint", "", 392, 552, 81, 25, TextStyle::Bold},
    {"chkPDF", "", 488, 552, 57, 25},
    {"Frame1", "", 512, 0, 209, 41},
    {"cmdInvoer", "Frame1", 16, 19, 81, 17, TextStyle::Bold},
    {"cmdUitvoer", "Frame1", 112, 19, 81, 17, TextStyle::Bold},
    // Narrowed to end with Frame1, inside the window.
    {"Frame6", "", 608, 480, 113, 38},
    {"optLANG_0", "Frame6", 8, 12, 52, 19},
    {"optLANG_1", "Frame6", 64, 12, 45, 19},
    {"Label2", "", 24, 8, 305, 25, TextStyle::SheetTitle},
    {"Label1", "", 32, 328, 105, 41},
    {"Image2", "", 464, 8, 32, 32},
};

// The place of a control by name; throws std::out_of_range for an unknown name.
const Place& placeOf(std::span<const Place> places, std::string_view name);

// The Calculator's places are in twips; this gives pixels.
QRect calculatorRect(const Place& place);
inline QRect sheetRect(const Place& place) {
    return {place.left, place.top, place.width, place.height};
}

}  // namespace kw::gui
