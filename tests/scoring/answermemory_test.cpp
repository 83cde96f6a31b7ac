#include "scoring/answermemory.h"

#include <gtest/gtest.h>

TEST(AnswerMemory, RecallsEachListsAnswersForTheRowsItStillHasOfTheSameKind)
{
    AnswerMemory memory;
    memory.Keep(0, 0, {{"cooks", true}, {"books", 3L}, {"sports", 2L}});
    memory.Keep(1, 0, {{"tall", true}});

    // The file now has "sports" as a yes/no row and no "books".
    AnswerMemory::Answers shown =
        memory.Recall(0, 0, {{"cooks", false}, {"sports", false}, {"new", 0L}});
    EXPECT_TRUE(shown["cooks"].GetBool());
    EXPECT_FALSE(shown["sports"].GetBool());
    EXPECT_EQ(shown["new"].GetLong(), 0);

    // A row that comes back later starts afresh.
    shown = memory.Recall(0, 0, {{"books", 0L}});
    EXPECT_EQ(shown["books"].GetLong(), 0);
    EXPECT_TRUE(memory.Recall(1, 0, {{"tall", false}})["tall"].GetBool());
    EXPECT_FALSE(memory.Recall(1, 1, {{"tall", false}})["tall"].GetBool());
}
