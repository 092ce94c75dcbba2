// Program entry of the picture-framing tool.
// The framing job itself is not built yet: the program says so and saves nothing.

#include <cstdio>

int main(int argc, char** argv) {
  std::fprintf(stderr, "tovu: the framing job is not built yet; nothing was saved%s%s\n",
               argc > 1 ? " for " : "", argc > 1 ? argv[1] : "");
  return 1;
}
