#pragma once

#include "scoring/rule.h"

#include <vector>

// The result page, with "$result" where the total goes.
extern const wxString g_resultTemplate;
// Every calculation starts from this value.
extern const int g_baseValue;

// The base value plus the price of each rule's answer (answers[i] belongs
// to rules[i]), saturated at the limits of int. Answers beyond the range of
// int count as its nearest end.
int TotalPrice(const RuleArray& rules, const std::vector<long long>& answers);

// The result page for a total.
wxString ResultPage(int total);
