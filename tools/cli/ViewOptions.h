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
// The screen WxH: each side from 1 to kMaxScreenSide pixels.
bool ParseScreen(const std::string& v, int& width, int& height);
constexpr int kMaxScreenSide = 8192;
// Device pixels per window pixel: a number from 1 to 4.
bool ParseRatio(const std::string& v, double& out);
// Whether the map picture of the screen WxH at the ratio (twice the screen
// each way at the device's pixels) stays within the 1 GiB of the largest
// screen at ratio 1.
bool PictureFits(int width, int height, double ratio);

// Why an option's value was refused (UTF-8, for the line before the usage).
std::string ScaleProblem(const std::string& v);
std::string ScreenProblem(const std::string& v);
std::string RatioProblem(const std::string& v);
std::string PictureSizeProblem(int width, int height, double ratio);
std::string PointProblem(const char* option, const std::string& v);
std::string WholeNumberProblem(const char* option, const std::string& v);
std::string OnOffProblem(const std::string& option, const std::string& v);
// Why the call itself was refused.
std::string UnknownOptionProblem(const std::string& option);
std::string MissingValueProblem(const std::string& option);
std::string MissingArgumentProblem(const std::string& argument);
std::string ExtraArgumentProblem(const std::string& argument);
// "tellurin-cli: WHY" on stderr, then the usage; returns the usage exit code 2.
int Refuse(const std::string& why, const std::string& usage);

// The firm search for `utf8Key` with all three boxes ticked, its firms drawn
// as the firm search panel's ShowFoundBox has them drawn.
void ShowFoundFirms(MapCore& core, const std::string& utf8Key);

}  // namespace cli
