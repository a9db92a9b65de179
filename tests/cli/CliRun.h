#pragma once
// Runs tellurin-cli (optionally through another program, e.g. setpriv) and
// collects what it printed and its exit code.
#include <QProcess>
#include <QStringList>

#include <filesystem>
#include <string>
#include <vector>

#include "mapdata/NativeName.h"

struct CliResult {
  int exitCode = -1;
  std::string out;  // UTF-8
  std::string err;
};

// A path as tellurin-cli prints it in a cell or a message line: escaped, so
// that Windows' backslashes come doubled.
inline std::string CliPath(const std::filesystem::path& path) {
  std::string escaped;
  for (const char c : NativeString(path)) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return escaped;
}

// A run that has not ended after `deadlineMs` is killed and reported with
// exit code -1 and "timed out" in err: a hang fails its test, not the suite.
inline CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& prefix = {},
                        int deadlineMs = 60000) {
  QStringList list;
  for (const std::string& p : prefix) list << QString::fromStdString(p);
  list << QString::fromUtf8(TELLURIN_CLI_PATH);
  for (const std::string& a : args) list << QString::fromStdString(a);
  QProcess process;
  const QString program = list.takeFirst();
  process.start(program, list);
  const bool ended = process.waitForFinished(deadlineMs);
  if (!ended) {
    process.kill();
    process.waitForFinished();
  }
  CliResult r;
  r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  r.out = process.readAllStandardOutput().toStdString();
  r.err = process.readAllStandardError().toStdString();
  if (!ended) r.err += "timed out";
  return r;
}
