#pragma once

#include <wx/string.h>

#include <string>
#include <vector>

// What the library's loader drops from a well-formed document without a
// word: it expands no entity but the five predefined ones and character
// references, so a reference to an entity that a DOCTYPE declares (or that
// an external one might) reads as nothing, and the DOCTYPE itself is never
// used.
struct UnexpandedEntities
{
    struct Reference
    {
        wxString name; // without '&' and ';'
        int line;
    };
    int doctypeLine = 0; // 0 when there is no DOCTYPE
    std::vector<Reference> references;
};

// Scans a well-formed document once, expanding nothing.
UnexpandedEntities FindUnexpandedEntities(const std::string& text);
