#include <cstdio>
int main() {
  std::fprintf(stderr, "usage: tellurin-demo-city --out DIR\n");
  return 2;
}
