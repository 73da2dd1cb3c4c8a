// quarlo-cli: the command-line companion.
#include <cstdio>

int main(int argc, char** argv) {
  std::fprintf(stderr, "usage: quarlo-cli VERB ...\n");
  return 2;
}
