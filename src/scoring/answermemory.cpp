#include "scoring/answermemory.h"

void AnswerMemory::Keep(int friendType, int mode, const Answers& shown)
{
    m_lists[{friendType, mode}] = shown;
}

AnswerMemory::Answers AnswerMemory::Recall(int friendType, int mode, const Answers& fresh)
{
    Answers& kept = m_lists[{friendType, mode}];
    Answers answers = fresh;
    for (auto& [name, value] : answers)
    {
        const auto found = kept.find(name);
        if (found != kept.end() && found->second.kind == value.kind &&
            found->second.value.GetType() == value.value.GetType())
            value = found->second;
    }
    kept = answers;
    return answers;
}
