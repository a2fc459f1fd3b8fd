// Which conditions ostra-regina answers without asking Regina, and that
// the answers follow REXX's comparisons; everything it cannot be sure of is
// left to Regina (nothing comes back).
#include "quick_condition.h"

#include <gtest/gtest.h>

#include <map>

using namespace regina;

namespace {

std::optional<bool> value(const std::string& condition,
                          const std::map<std::string, std::string>& variables) {
    std::optional<QuickCondition> q = quick_condition(condition);
    if (!q) return std::nullopt;
    return quick_value(*q, [&](const std::string& name) -> std::optional<std::string> {
        auto found = variables.find(name);
        if (found == variables.end()) return std::nullopt;
        return found->second;
    });
}

} // namespace

TEST(QuickCondition, TakesOnlyComparisonsOfSymbolsWholeNumbersAndStrings) {
    for (const char* simple : {"i = 7", "n<0", "i = 7 | i = 993", "x == 'a''b'", "total >= -1",
                               "k \\= 4 & name <> \"joe\"", "a >< b", "i <= +3"})
        EXPECT_TRUE(quick_condition(simple)) << simple;
    for (const char* other :
         {"i + 1 = 7", "(i = 7)", "s.i = 3", "i = 1.5e3", "x = 'ff'x", "x = 'a' || y", "a && b = 1",
          "a << b", "f(i) = 1", "i =", "= 1", "i = 'open", "i", "a b = 1", "i = 7 |", "-i = 3"})
        EXPECT_FALSE(quick_condition(other)) << other;
}

TEST(QuickCondition, ComparesAsRexxDoes) {
    const std::map<std::string, std::string> v = {
        {"I", "7"},   {"J", " 07 "}, {"N", "-3"}, {"S", "  abc"}, {"T", "abc  "},
        {"U", "abd"}, {"E", ""},     {"B", "  "}, {"HI", "10"},   {"LO", "9"},
    };
    const std::pair<const char*, bool> cases[] = {
        {"i = 7", true},         {"i = j", true},          {"i == j", false},
        {"n < 0", true},         {"n >= -3", true},        {"s = t", true},
        {"s == t", false},       {"s \\== t", true},       {"t < u", true},
        {"e = b", true},         {"hi > lo", true},        {"hi > 'a'", false},
        {"i = 8 | n < 0", true}, {"i = 7 & n > 0", false}, {"i = 8 | i = 7 & n > 0", false},
        {"i <> 7", false},       {"u >< t", true},         {"i <= 7 & i >= 7", true},
    };
    for (const auto& [condition, expected] : cases)
        EXPECT_EQ(value(condition, v), std::optional<bool>(expected)) << condition;
}

TEST(QuickCondition, LeavesToReginaWhatItCannotBeSureOf) {
    const std::map<std::string, std::string> v = {
        {"D", "1.50"}, {"BIG", "1234567890"}, {"X", "1e2"}, {"TAB", "a\tb"}, {"I", "1"}};
    for (const char* condition :
         {"d = 1.5", "big > 1", "x = 100", "tab = 'a b'", "unset = 1", "i = 1 | unset = 2"})
        EXPECT_EQ(value(condition, v), std::nullopt) << condition;
    EXPECT_EQ(value("x = 'word'", v), std::optional<bool>(false))
        << "a number against a word is a string comparison";
}
