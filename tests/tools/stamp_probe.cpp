// A stand-in player for the tool tests: prints its size stamp and says whether a definition loads
// under it (exit 0) or not (exit 1).

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "definition/loader.hpp"
#include "definition/size_stamp.hpp"

int main(int argc, char** argv) {
  const std::string stamp = velmorant::BuiltInSizeStamp();
  std::printf("stamp %s\n", stamp.c_str());
  if (argc < 2) return 2;
  std::ifstream file(argv[1], std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  auto loaded = velmorant::LoadDefinition(bytes, stamp);
  if (!loaded.definition) {
    std::printf("refused: %s\n", loaded.error.Message().c_str());
    return 1;
  }
  std::printf("loaded\n");
  return 0;
}
