#include <gtest/gtest.h>

#include "framework/file_processing_exception.h"
#include "framework/parameter_base.h"
#include "framework/parameters_handler_tools.h"
#include "framework/string_format.h"

namespace {

TEST(ParameterBaseTest, NewObjectHasDefaultNameAndNoCount) {
    CParameterBase parameters;
    EXPECT_EQ(parameters.GetParameterSetName(), "CParameterBase Default Parameters");
    EXPECT_EQ(parameters.GetCounter(), 0);
    EXPECT_FALSE(parameters.HasCount());
    EXPECT_EQ(parameters.IncrementCounter(), 1);
    EXPECT_TRUE(parameters.HasCount());
    CParameterBase* found = nullptr;
    EXPECT_TRUE(parameters.GetParameterSet("any", &found));
    EXPECT_EQ(found, &parameters);
}

TEST(ParametersHandlerToolsTest, ToolOutsideOneToSixSelectsPointer) {
    CParametersHandlerTools& tools = CParametersHandlerTools::Instance();
    const struct {
        int requested;
        int expected;
    } cases[] = {{6, 6}, {3, 3}, {0, 1}, {7, 1}, {-3, 1}, {1, 1}};
    for (const auto& c : cases) {
        tools.SetCurrentTool(c.requested);
        EXPECT_EQ(tools.GetCurrentTool(), c.expected) << "requested " << c.requested;
    }
}

TEST(FileProcessingExceptionTest, CopyOutlivesOriginal) {
    auto* original = new FileProcessingException("a message of more than sixteen characters");
    const FileProcessingException copy(*original);
    delete original;
    EXPECT_STREQ(copy.what(), "a message of more than sixteen characters");
    EXPECT_EQ(copy.GetMessage(), "a message of more than sixteen characters");
}

TEST(StringFormatTest, FormatsLongerThanTheInlineBuffer) {
    const std::string long_text(1000, 'x');
    EXPECT_EQ(FormatString("<%s>%d", long_text.c_str(), 7), "<" + long_text + ">7");
    EXPECT_EQ(FormatString("%u\t%u\t%f", 100u, 200u, 1.5), "100\t200\t1.500000");
}

}  // namespace
