// The ring that pairs each answer with the oldest question.
#include "watch/request_queue.h"

#include <gtest/gtest.h>

TEST(RequestQueue, AnswersGoToQuestionsInOrder) {
    RequestQueue queue;
    EXPECT_EQ(queue.take(), (TipRequest{REQUEST_NONE, -1}));
    queue.push({REQUEST_TIP, -1});
    queue.push({REQUEST_PIN, 4});
    queue.push({REQUEST_EDIT, -1});
    EXPECT_EQ(queue.size(), 3);
    EXPECT_TRUE(queue.holds(REQUEST_PIN));
    EXPECT_EQ(queue.take(), (TipRequest{REQUEST_TIP, -1}));
    EXPECT_EQ(queue.take(), (TipRequest{REQUEST_PIN, 4}));
    EXPECT_FALSE(queue.holds(REQUEST_PIN));
    EXPECT_EQ(queue.take(), (TipRequest{REQUEST_EDIT, -1}));
    EXPECT_EQ(queue.take(), (TipRequest{REQUEST_NONE, -1}));
    EXPECT_EQ(queue.size(), 0);
}

TEST(RequestQueue, AFullRingForgetsItsOldestAndSaysWhich) {
    RequestQueue queue;
    for (int i = 0; i < RequestQueue::kCapacity; ++i)
        EXPECT_EQ(queue.push({REQUEST_PIN, i}).kind, REQUEST_NONE);
    EXPECT_EQ(queue.push({REQUEST_TIP, -1}), (TipRequest{REQUEST_PIN, 0}));
    EXPECT_EQ(queue.size(), RequestQueue::kCapacity);
    for (int i = 1; i < RequestQueue::kCapacity; ++i)
        EXPECT_EQ(queue.take(), (TipRequest{REQUEST_PIN, i}));
    EXPECT_EQ(queue.take(), (TipRequest{REQUEST_TIP, -1}));
    EXPECT_EQ(queue.size(), 0);
}

TEST(RequestQueue, WrapsAroundManyTimes) {
    RequestQueue queue;
    for (int round = 0; round < 200; ++round) {
        queue.push({REQUEST_PIN, round});
        queue.push({REQUEST_EDIT, round});
        EXPECT_EQ(queue.take(), (TipRequest{REQUEST_PIN, round}));
        EXPECT_EQ(queue.take(), (TipRequest{REQUEST_EDIT, round}));
    }
    EXPECT_EQ(queue.size(), 0);
}
