#include "app/web_entry.hpp"

int main(int argc, char** argv) {
  return velmorant::RunWebPlayer(argc, argv);
}
