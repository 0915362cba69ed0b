#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::puts("usage: velmorant [OPTIONS] [INTERVAL]");
      return 0;
    }
  }
  std::fputs("velmorant: the player cannot show pages yet\n", stderr);
  return 2;
}
