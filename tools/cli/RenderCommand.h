#pragma once
// tellurin-cli render CITY_DIR -o OUT.png [--screen WxH] [--scale S]
//   [--center X,Y] [--whole-city] [--texts on|off] [--objects on|off] [--routes on|off]
//   [--filter N] [--all-icons] [--found-firms KEY] [--picture] and the selection options
//   (SelectionOptions.h)
// Takes the arguments after the command's name; returns the exit code.
int RunRenderCommand(int argc, char** argv);
