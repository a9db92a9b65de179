#pragma once
// Values of the commands that look at the map as the window shows it (render,
// here): whole numbers, pairs such as X,Y or WxH, the scale, and the firms
// found and drawn for --found-firms.
#include <string>

struct MapCore;

namespace cli {

// Command-line values keep the grammar tellurin-cli has always read them with
// (std::stoi: leading blanks and a plus sign allowed): its command lines are a
// contract.
bool ParseInt(const std::string& v, int& out);
// Two whole numbers around `separator` ("100,200", "800x600").
bool ParsePair(const std::string& v, char separator, int& a, int& b);
// Pixels per map unit: a number above 0 and at most 1000.
bool ParseScale(const std::string& v, float& out);
// A scale as printed: the shortest decimal that ParseScale reads back as the
// same scale ("1", "0.5", "0.10232").
std::string ScaleText(float scale);

// The firm search for `utf8Key` with all three boxes ticked, its firms drawn
// as CheckBox4 has them drawn.
void ShowFoundFirms(MapCore& core, const std::string& utf8Key);

}  // namespace cli
