#include <gtest/gtest.h>

#include "TestSupport.h"
#include "errors/Numeric.h"
#include "model/Cards.h"

namespace tessaly {
namespace {

struct TextCase {
    const char* text;
    std::int64_t expected;
};

class TextToIntegerTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextToIntegerTest, rounds_half_to_even_and_ignores_blanks) {
    EXPECT_EQ(TextToInt32(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    conversions, TextToIntegerTest,
    ::testing::Values(TextCase{"12", 12}, TextCase{" 12 ", 12}, TextCase{"\t-3", -3},
                      TextCase{"+7", 7}, TextCase{"2.5", 2}, TextCase{"3.5", 4},
                      TextCase{"-2.5", -2}, TextCase{"-3.5", -4}, TextCase{"2.51", 3},
                      TextCase{"2.4999", 2}, TextCase{"0.5", 0}, TextCase{"1.5", 2},
                      TextCase{".5", 0}, TextCase{"7.", 7}, TextCase{"2147483647", 2147483647},
                      TextCase{"-2147483648", -2147483648LL}));

TEST(numeric_test, text_that_is_not_a_number_is_a_type_mismatch) {
    for (const char* text : {"", " ", "x", "1x", "1 2", "--1", ".", "1e3", "0x10"}) {
        try {
            TextToInt32(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const AppError& error) {
            EXPECT_EQ(error.Number(), 13) << text;
            EXPECT_EQ(error.Description(), "Type mismatch");
        }
    }
}

TEST(numeric_test, values_beyond_the_width_overflow) {
    auto number = [](auto call) {
        try {
            call();
        } catch (const AppError& error) {
            return error.Number();
        }
        return 0;
    };
    EXPECT_EQ(number([] { TextToInt16("32768"); }), 6);
    EXPECT_EQ(number([] { TextToInt16("-32769"); }), 6);
    EXPECT_EQ(number([] { TextToInt16("32767.5"); }), 6);  // rounds up to 32768
    EXPECT_EQ(TextToInt16("32766.5"), 32766);
    EXPECT_EQ(number([] { TextToInt32("2147483648"); }), 6);
    EXPECT_EQ(number([] { TextToInt32("99999999999999999999999999"); }), 6);
    EXPECT_EQ(number([] { CheckedInt16(40000); }), 6);
    EXPECT_EQ(number([] { RoundToInt32(3e9); }), 6);
    EXPECT_EQ(RoundToInt32(996.5), 996);
    EXPECT_EQ(RoundToInt32(997.5), 998);
}

TEST(error_reporter_test, title_and_text_name_the_procedure_and_the_error) {
    test::ReportRecorder recorder;
    StdErrHandler("Cards", "Item", AppError(ErrorNumber::SubscriptOutOfRange));
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_EQ(recorder.Reports()[0].Title(), "Unexpected error in TessalyApp.Cards.Item");
    EXPECT_EQ(recorder.Reports()[0].Text(),
              "9 - Subscript out of range (Error source - TessalyApp)");
}

TEST(error_reporter_test, trap_reports_once_and_the_caller_carries_on) {
    test::ReportRecorder recorder;
    int after = 0;
    auto inner = [&] {
        return Trap("Inner", "Fails", [] { throw AppError(ErrorNumber::DivisionByZero); });
    };
    const bool outerOk = Trap("Outer", "Calls", [&] {
        EXPECT_FALSE(inner());
        after = 1;
    });
    EXPECT_TRUE(outerOk);
    EXPECT_EQ(after, 1);
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_EQ(recorder.Where(), "Inner.Fails");
    EXPECT_EQ(recorder.Reports()[0].number, 11);
}

TEST(error_reporter_test, foreign_exceptions_become_reports) {
    test::ReportRecorder recorder;
    Trap("M", "P", [] { throw std::bad_alloc(); });
    Trap("M", "P", [] { throw 42; });
    ASSERT_EQ(recorder.Reports().size(), 2u);
    EXPECT_EQ(recorder.Reports()[0].number, 7);
    EXPECT_EQ(recorder.Reports()[1].number, 5);
}

TEST(error_reporter_test, a_null_reference_is_error_91_not_a_crash) {
    test::ReportRecorder recorder;
    Cards deck;
    deck.Copy(nullptr);
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_EQ(recorder.Reports()[0].number, 91);
    EXPECT_EQ(recorder.Reports()[0].description, "Object variable or With block variable not set");
    EXPECT_EQ(recorder.Where(), "Cards.Copy");
}

TEST(error_reporter_test, counter_sees_only_reports_made_while_it_lives) {
    test::ReportRecorder recorder;
    StdErrHandler("A", "B", AppError(ErrorNumber::Overflow));
    ErrorCounter counter;
    EXPECT_EQ(counter.Count(), 0);
    StdErrHandler("A", "B", AppError(ErrorNumber::Overflow));
    EXPECT_EQ(counter.Count(), 1);
}

}  // namespace
}  // namespace tessaly
