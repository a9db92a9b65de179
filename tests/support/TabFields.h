#pragma once
// The fields of one line of tellurin-cli's output (dump, search, summaries):
// separated by tabs, an empty last field dropped.
#include <string>
#include <vector>

std::vector<std::string> TabFields(const std::string& line);
