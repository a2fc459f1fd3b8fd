// DAP's words in the link's words: breakpoint options, the debug console's
// lines, text for JSON, and the interpreter's messages.
#include "breakpoint_forms.h"
#include "link_message.h"
#include "repl_input.h"
#include "utf8_text.h"

#include <gtest/gtest.h>

namespace {

std::string options(const dap::BreakAsk& ask) {
    std::string error;
    std::optional<std::string> words = dap::break_options(ask, error);
    return words ? "[" + *words + "]" : "error: " + error;
}

TEST(BreakOptions, ConditionsAndHitCountsInTheLinksWords) {
    EXPECT_EQ(options({}), "[]");
    EXPECT_EQ(options({"x > 2", "", ""}), "[ if x > 2]");
    EXPECT_EQ(options({"", "3", ""}), "[ after 3]");
    EXPECT_EQ(options({"", ">= 3", ""}), "[ after 3]");
    EXPECT_EQ(options({"", ">3", ""}), "[ after 4]");
    EXPECT_EQ(options({"", "%5", ""}), "[ every 5]");
    EXPECT_EQ(options({"", "every 2", ""}), "[ every 2]");
    EXPECT_EQ(options({"i = 4", "2", ""}), "[ after 2 if i = 4]");
    EXPECT_EQ(options({"", "", "i is {i}"}), "[]") << "a logpoint takes its text elsewhere";
}

TEST(BreakOptions, WhatTheLinkCannotSayIsRefused) {
    for (const char* hit : {"0", "-1", "==3", "x", "1000000000", ">999999999"})
        EXPECT_EQ(options({"", hit, ""}).rfind("error: a hit count", 0), 0u) << hit;
    EXPECT_EQ(options({"x", "", "log"}),
              "error: a logpoint cannot also have a condition or a hit count");
}

TEST(ReplLines, InputInstructionsAndExpressions) {
    using dap::ReplKind;
    auto kind = [](const char* text) { return dap::repl_line_of(text).kind; };
    EXPECT_EQ(kind("> hello"), ReplKind::input);
    EXPECT_EQ(dap::repl_line_of(">  two blanks").text, " two blanks");
    EXPECT_EQ(dap::repl_line_of(">").text, "");
    EXPECT_EQ(kind("x = 5"), ReplKind::instructions);
    EXPECT_EQ(kind("  sq.3=9"), ReplKind::instructions);
    EXPECT_EQ(kind("say x; say y"), ReplKind::instructions);
    EXPECT_EQ(kind("drop x"), ReplKind::instructions);
    EXPECT_EQ(kind("x == 5"), ReplKind::expression);
    EXPECT_EQ(kind("x + 1"), ReplKind::expression);
    EXPECT_EQ(kind("say(1)"), ReplKind::expression) << "a function named like a keyword";
    EXPECT_EQ(kind("sayings"), ReplKind::expression);
}

TEST(Utf8Text, ValidTextPassesOtherBytesAreLatin1) {
    EXPECT_EQ(dap::utf8_of("plain"), "plain");
    EXPECT_EQ(dap::utf8_of("\xE2\x82\xAC"), "\xE2\x82\xAC");
    EXPECT_EQ(dap::utf8_of("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(dap::utf8_of("\xC0\x80"), "\xC3\x80\xC2\x80") << "an overlong form is not UTF-8";
    EXPECT_EQ(dap::utf8_of("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80") << "nor a surrogate";
}

TEST(Utf8Text, ACharacterCutBetweenChunksWaitsForItsRest) {
    dap::Utf8Stream stream;
    EXPECT_EQ(stream.take("a\xE2\x82"), "a");
    EXPECT_EQ(stream.take("\xAC!"), "\xE2\x82\xAC!");
    EXPECT_EQ(stream.take("\xC3"), "");
    EXPECT_EQ(stream.finish(), "\xC3\x83") << "at the end a lone byte is Latin-1";
}

TEST(LinkMessages, KeywordAndBodyAfterTheSendersDelimiter) {
    std::optional<dap::LinkMessage> m = dap::link_message_of("|stop-at|12 main");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->keyword, "stop-at");
    EXPECT_EQ(m->body, "12 main");
    m = dap::link_message_of("#mes#a|b#c");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->body, "a|b#c");
    EXPECT_FALSE(dap::link_message_of("|nodelim"));
    EXPECT_FALSE(dap::link_message_of(""));
    EXPECT_EQ(dap::leading_number("  42 main"), 42);
    EXPECT_FALSE(dap::leading_number("main"));
}

} // namespace
