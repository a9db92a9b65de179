#pragma once
// Commands of tellurin-cli that run the searches and the keyword list on a
// city folder.  Each takes the arguments after the command's name and returns
// the exit code (2: usage error).
int RunSearchCommand(int argc, char** argv);
int RunFirmsCommand(int argc, char** argv);
int RunAddKeywordCommand(int argc, char** argv);
