#include "datasheet/csv_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kw {
namespace {

DataSheet emptySheet() {
    DataSheet sheet;
    for (const auto& name : DataSheet::textFieldNames()) {
        *sheet.field(name) = "";
    }
    return sheet;
}

DataSheet sheetWithLineTwo() {
    DataSheet sheet = emptySheet();
    sheet.txtFabr1 = "Amidon";
    sheet.txtFabr2 = "USA";
    sheet.txtType1 = "FT50";
    sheet.txtType2 = "43";
    sheet.txtType3 = "zwart";
    sheet.txtBuiten = "12.7";
    sheet.txtBinnen = "7.15";
    sheet.txtHoog = "4.8";
    sheet.line(2, LineField::N) = "10";
    sheet.line(2, LineField::C) = "150 pF";
    sheet.line(2, LineField::Fres) = "10.5 MHz";
    sheet.line(2, LineField::mH) = "523.45";
    sheet.line(2, LineField::f1) = "10.4";
    sheet.line(2, LineField::f2) = "10.6";
    sheet.line(2, LineField::Q) = "52.5";
    sheet.line(2, LineField::Top) = "100 K";
    sheet.line(2, LineField::Rs) = "1.25";
    sheet.line(2, LineField::Rp) = "3300";
    return sheet;
}

TEST(CsvExportTest, OpeningLinesNameTheColumnsAndTheDecimalSeparator) {
    const std::vector<std::string> english = {
        "A;B;C;D;E;F;G;H;I;J;K;L;M;N;O;P;Q;R;S;T;U",
        "Fabr1;Fabr2;Type1;Type2;Type3;Buiten;Binnen;Hoog;N;Cpar;pF_nF;f res;k_MHz;AL-waarde;f1;f2;Q;TOP_RC;"
        "pF_Kohm;Rs;Rp",
        "UK CSV setting - decimal point is used"};
    std::vector<std::string> dutch = english;
    dutch[2] = "NL CSV setting - decimal comma is used";
    EXPECT_EQ(csvOpeningLines(true), english);
    EXPECT_EQ(csvOpeningLines(false), dutch);
}

TEST(CsvExportTest, RowSplitsValuesFromTheirUnitsAndUsesTheLanguagesSeparator) {
    const DataSheet sheet = sheetWithLineTwo();
    EXPECT_EQ(
        csvRow(sheet, 2, true),
        "Amidon;USA;FT50;43;zwart;12.7;7.15;4.8;10;150;pF;10.5;MHz;523.45;10.4;10.6;52.5;100;K;1.25;3300");
    EXPECT_EQ(
        csvRow(sheet, 2, false),
        "Amidon;USA;FT50;43;zwart;12,7;7,15;4,8;10;150;pF;10,5;MHz;523,45;10,4;10,6;52,5;100;K;1,25;3300");
}

TEST(CsvExportTest, OnlyLinesWithTurnsGetARowAndEveryRowHasTwentyOneColumns) {
    DataSheet sheet = sheetWithLineTwo();
    sheet.line(5, LineField::N) = "7";
    sheet.line(6, LineField::C) = "1 nF";  // no turns: no row
    const std::vector<std::string> rows = csvRows(sheet, false);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], "Amidon;USA;FT50;43;zwart;12,7;7,15;4,8;7;;;;;;;;;;;;");
    for (const auto& row : rows) {
        EXPECT_EQ(std::count(row.begin(), row.end(), ';'), kCsvColumns - 1);
    }
}

TEST(CsvExportTest, UnitSplitFollowsTheFirstBlankOfTheTrimmedText) {
    DataSheet sheet = emptySheet();
    sheet.line(1, LineField::N) = "1";
    sheet.line(1, LineField::C) = "150pF";
    sheet.line(1, LineField::Fres) = "  12.5 pF ";
    sheet.line(1, LineField::Top) = "nF";
    EXPECT_EQ(csvRow(sheet, 1, false), ";;;;;;;;1;150pF;;12,5;pF;;;;;nF;;;");
}

TEST(CsvExportTest, DecimalSeparatorChangesOnlyInPlainDecimalNumbers) {
    struct Case {
        std::string text;
        bool english;
        std::string field;
    };
    const std::vector<Case> cases = {
        {"9.9", false, "9,9"},
        {"9,9", true, "9.9"},
        {"-12.5", false, "-12,5"},
        {"+0,5", true, "+0.5"},
        {".5", false, ",5"},
        {" 3.3 ", false, " 3,3 "},
        {"42", false, "42"},
        {"T50.2", false, "T50.2"},
        {"Mix 43, new", true, "Mix 43, new"},
        {"1.234.5", false, "1.234.5"},
        {"1,234.5", true, "1,234.5"},
        {"12.5 pF", false, "12.5 pF"},
        {"-", false, "-"},
        {".", false, "."},
        {"", true, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(csvField(c.text, c.english), c.field) << c.text << (c.english ? " UK" : " NL");
    }
}

TEST(CsvExportTest, FieldsHoldingSemicolonsOrQuotesAreQuotedSoColumnsNeverShift) {
    struct Case {
        std::string text;
        std::string field;
    };
    const std::vector<Case> cases = {
        {"a;b", "\"a;b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"\"", "\"\"\"\""}, {"5;6.5", "\"5;6.5\""},
        {"a,b", "a,b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(csvField(c.text, false), c.field) << c.text;
    }
    DataSheet sheet = sheetWithLineTwo();
    sheet.txtFabr1 = "A;B";
    sheet.line(2, LineField::Q) = "\"52\"";
    const std::string row = csvRow(sheet, 2, true);
    EXPECT_EQ(row.substr(0, 6), "\"A;B\";");
    EXPECT_NE(row.find(";\"\"\"52\"\"\";"), std::string::npos) << row;
}

TEST(CsvExportTest, ATextThatASpreadsheetWouldRunAsAFormulaIsWrittenAsText) {
    struct Case {
        std::string text;
        std::string field;
    };
    const std::vector<Case> cases = {
        {"=1+1", "\"'=1+1\""},
        {"+A1", "\"'+A1\""},
        {"-2+3", "\"'-2+3\""},
        {"@SUM(A1)", "\"'@SUM(A1)\""},
        {"\t=1", "\"'\t=1\""},
        {"\r=1", "\"' =1\""},  // the CR becomes a blank, as in every field
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"-5", "-5"},  // numbers stay numbers
        {"+3.2", "+3,2"},
        {"1,5E-3", "1,5E-3"},
        {"-1.5e+3", "-1.5e+3"},
        {"-", "-"},  // the -3 dB points of a line measured without Q
        {"a=b", "a=b"},
        {" =1", " =1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(csvField(c.text, false), c.field) << c.text;
    }
}

TEST(CsvExportTest, EveryFormulaStartIsDefusedInHeaderAndMeasurementFields) {
    struct Case {
        std::string start;
        std::string header;       // txtFabr1 holding start + "1+1", as written
        std::string measurement;  // the Q field holding start + "Q2", as written
    };
    const std::vector<Case> cases = {
        {"=", "\"'=1+1\"", "\"'=Q2\""}, {"+", "\"'+1+1\"", "\"'+Q2\""},    {"-", "\"'-1+1\"", "\"'-Q2\""},
        {"@", "\"'@1+1\"", "\"'@Q2\""}, {"\t", "\"'\t1+1\"", "\"'\tQ2\""}, {"\r", "\"' 1+1\"", "\"' Q2\""},
    };
    for (const auto& c : cases) {
        DataSheet sheet = sheetWithLineTwo();
        sheet.txtFabr1 = c.start + "1+1";
        sheet.line(2, LineField::Q) = c.start + "Q2";
        sheet.regel(1) = c.start + "3+3";  // info lines have no column in the CSV file
        const std::string row = csvRow(sheet, 2, false);
        EXPECT_EQ(row, c.header + ";USA;FT50;43;zwart;12,7;7,15;4,8;10;150;pF;10,5;MHz;523,45;10,4;10,6;" +
                           c.measurement + ";100;K;1,25;3300")
            << c.start;
        EXPECT_EQ(row.find("3+3"), std::string::npos) << c.start;
    }
}

TEST(CsvExportTest, CsvNameKeepsTheFolderAndUpperCasesTheFilePart) {
    struct Case {
        std::string page;
        std::string csv;
    };
    const std::vector<Case> cases = {
        {"C:\\Data\\ring.ps", "C:\\Data\\RING.CSV"},
        {"/home/an/my.psdata/ring.ps", "/home/an/my.psdata/RING.CSV"},
        {"/home/an/ring.PS", "/home/an/RING.CSV"},
        {"/home/an/ring.Ps", "/home/an/RING.CSV"},
        {"/home/an/ring.ps.ps", "/home/an/RING.PS.CSV"},
        {"/home/an/ring.txt", "/home/an/RING.TXT.CSV"},
        {"/home/an/ring", "/home/an/RING.CSV"},
        {"/home/an/ring.csv", "/home/an/RING.CSV.CSV"},
        {"ring.ps", "RING.CSV"},
        {"/home/an/\xC3\xA4\xC3\xB6\xC3\xBC.ps", "/home/an/\xC3\x84\xC3\x96\xC3\x9C.CSV"},  // äöü: ÄÖÜ
        {"/home/\xC3\xA9/\xC3\xA9t\xC3\xA9.ps", "/home/\xC3\xA9/\xC3\x89T\xC3\x89.CSV"},    // été: ÉTÉ
    };
    for (const auto& c : cases) {
        EXPECT_EQ(csvName(c.page), c.csv) << c.page;
        EXPECT_NE(csvName(c.page), c.page);
    }
}

}  // namespace
}  // namespace kw
