#pragma once

#include <string>

// The longest stretch of an XML file without markup other than text (one
// comment, tag or text node), in bytes, so that a file the library's loader
// would take minutes over can be refused before it is parsed.
//
// The library's loader hands its parser 1 KB at a time. The parser rescans an
// unfinished comment or tag from its start on every piece, and the loader
// copies a growing text node on every piece, so the cost grows with the
// square of the longest such stretch. One pass of the same parser over the
// whole file at once finds that stretch in linear time: the distance between
// two pieces of markup that are not text (text and entity references merge
// into one node). No entity is expanded here.
// The stretch's length and where it starts, for naming its line.
struct XmlStretch
{
    size_t start = 0;
    size_t length = 0;
};
XmlStretch LongestStretch(const std::string& bytes);
