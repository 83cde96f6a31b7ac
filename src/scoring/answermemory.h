#pragma once

#include <wx/string.h>
#include <wx/variant.h>

#include <map>
#include <utility>

// The answers given to each checklist (friend type and mode) during the
// session, so that switching to another list and back shows them again.
// Nothing is stored on disk.
class AnswerMemory
{
public:
    // A row's value with the kind of row that holds it: a number for a
    // whole-number row is no answer for a choice row of the same name.
    struct Answer
    {
        wxString kind;
        wxVariant value;
    };
    // The answer of each row, by row name.
    using Answers = std::map<wxString, Answer>;

    // Keeps the answers a list shows as it is left.
    void Keep(int friendType, int mode, const Answers& shown);

    // The answers for a list read afresh: each row's kept answer where the
    // row is still there and of the same kind, else its fresh value. Kept
    // answers for rows the list no longer has are forgotten.
    Answers Recall(int friendType, int mode, const Answers& fresh);

private:
    std::map<std::pair<int, int>, Answers> m_lists;
};
