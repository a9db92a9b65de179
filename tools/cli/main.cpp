#include <cstdio>
int main() {
  std::fprintf(stderr, "usage: tellurin-cli COMMAND ...\n");
  return 2;
}
