#include "scoring/answermemory.h"

#include <gtest/gtest.h>

TEST(AnswerMemory, RecallsEachListsAnswersForTheRowsItStillHasOfTheSameKind)
{
    AnswerMemory memory;
    const auto yesNo = [](bool ticked) { return AnswerMemory::Answer{"bool", ticked}; };
    const auto number = [](long n) { return AnswerMemory::Answer{"number", n}; };
    const auto choice = [](long n) { return AnswerMemory::Answer{"choice", n}; };
    memory.Keep(0, 0,
                {{"cooks", yesNo(true)},
                 {"books", number(3)},
                 {"sports", number(2)},
                 {"income", choice(2)},
                 {"pets", number(1)}});
    memory.Keep(1, 0, {{"tall", yesNo(true)}});

    // The file now has "sports" as a yes/no row, "income" as a number and
    // "pets" as a choice, both holding numbers, and no "books".
    AnswerMemory::Answers shown = memory.Recall(0, 0,
                                                {{"cooks", yesNo(false)},
                                                 {"sports", yesNo(false)},
                                                 {"income", number(0)},
                                                 {"pets", choice(0)},
                                                 {"new", number(0)}});
    EXPECT_TRUE(shown["cooks"].value.GetBool());
    EXPECT_FALSE(shown["sports"].value.GetBool());
    EXPECT_EQ(shown["income"].value.GetLong(), 0);
    EXPECT_EQ(shown["pets"].value.GetLong(), 0);
    EXPECT_EQ(shown["new"].value.GetLong(), 0);

    // A row that comes back later starts afresh.
    shown = memory.Recall(0, 0, {{"books", number(0)}});
    EXPECT_EQ(shown["books"].value.GetLong(), 0);
    EXPECT_TRUE(memory.Recall(1, 0, {{"tall", yesNo(false)}})["tall"].value.GetBool());
    EXPECT_FALSE(memory.Recall(1, 1, {{"tall", yesNo(false)}})["tall"].value.GetBool());
}
