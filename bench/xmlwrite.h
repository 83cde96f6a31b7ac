#pragma once

#include <string>
#include <vector>

// One writer's result on the common document.
struct WriterResult
{
    std::string name;
    double bytes = 0; // size of the file it wrote; 0 if a save failed
    double ms = 0;    // median CPU time of one save
};

// Builds a document of about targetBytes when written, and saves it with
// each writer runs times into folder.
std::vector<WriterResult> MeasureWriters(double targetBytes, int runs, const std::string& folder);
