#pragma once
// The demo city generator (tellurin-demo-city), run as the program it is.
#include <QStringList>

#include <string>

inline const std::string kPlainDemoCity = "Светлогорск";
inline const std::string kScrambledDemoCity = "Озёрск";

struct GeneratorRun {
  int ExitCode = -1;
  std::string Out, Err;
};

GeneratorRun RunDemoGenerator(const QStringList& arguments);
