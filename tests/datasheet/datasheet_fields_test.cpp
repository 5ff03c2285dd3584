#include <gtest/gtest.h>

#include "datasheet/datasheet.h"

namespace kw {
namespace {

TEST(DataSheetFieldsTest, EveryFieldIsReachableByItsControlNameAndStartsEmptyShowingItsPlaceholder) {
    DataSheet sheet;
    ASSERT_EQ(DataSheet::textFieldNames().size(), 14u + 70u + 8u);
    for (const auto& name : DataSheet::textFieldNames()) {
        const std::string* text = sheet.field(name);
        ASSERT_NE(text, nullptr) << name;
        EXPECT_EQ(*text, "") << name;
        EXPECT_EQ(DataSheet::placeholderOf(name), name.substr(3)) << name;
    }
    EXPECT_EQ(DataSheet::placeholderOf("txtf13"), "f13");
    EXPECT_EQ(DataSheet::placeholderOf("txtRegel8"), "Regel8");
    EXPECT_EQ(sheet.field("txtf13"), &sheet.line(3, LineField::f1));
    EXPECT_EQ(sheet.field("txtRegel8"), &sheet.regel(8));
    EXPECT_EQ(sheet.field("txtN8"), nullptr);
    EXPECT_EQ(sheet.field("txtRegel9"), nullptr);
    EXPECT_EQ(sheet.field("Fabr1"), nullptr);
}

}  // namespace
}  // namespace kw
