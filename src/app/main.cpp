#include "app/entry.hpp"

int main(int argc, char** argv) {
  return velmorant::RunPlayer(argc, argv);
}
