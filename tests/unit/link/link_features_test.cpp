// The groups an interpreter offers, from its features message.
#include "link/link_features.h"
#include "link/messages.h"

#include "test_support.h"

#include <gtest/gtest.h>

class LinkFeaturesTest : public VelTest {};

TEST_F(LinkFeaturesTest, OnlyTheGroupsNamedInTheAnswerAreOffered) {
    EXPECT_FALSE(link_offers("vars")) << "before any answer, nothing is offered";
    hnd_in_payload("|features|vars frames");
    EXPECT_EQ(g_link_features.answer, FeaturesAnswer::Known);
    EXPECT_TRUE(link_offers("vars"));
    EXPECT_TRUE(link_offers("frames"));
    EXPECT_FALSE(link_offers("breaks"));
    EXPECT_FALSE(link_offers("var")) << "whole words only";
    hnd_in_payload("|features|");
    EXPECT_EQ(g_link_features.answer, FeaturesAnswer::Known);
    EXPECT_FALSE(link_offers("vars")) << "a new answer replaces the old";
    hnd_in_payload("|features|  breaks   vars ");
    EXPECT_EQ(g_link_features.groups, (std::vector<std::string>{"breaks", "vars"}));
}
