"""The brace counter finds function bodies, and only them, in the shapes our code uses."""
import unittest

from function_length import blank, functions

SOURCE = """\
namespace frost {
namespace {
const int kTable[] = {1, 2,
                      3};
}  // namespace

struct Point {
  int x{0};
  int Sum() const { return x; }
};

Form::Form(int a) : Base(a), name_("{"), list_{1, 2} {
  auto twice = [](int v) { return v * 2; };
  Run("}", '{', R"(say "}")");
}

// } a brace in a comment
auto Make() -> std::vector<int> {
  return {1,
          2};
}
#define OPEN {
TEST(Group, Name) {
  if (true) {
  }
}
}  // namespace frost
"""


class FunctionsTest(unittest.TestCase):
    def test_finds_each_body_with_its_lines(self):
        self.assertEqual(functions(blank(SOURCE)), [(9, 9), (12, 15), (18, 21), (23, 26)])

    def test_blanking_keeps_the_line_count(self):
        self.assertEqual(blank(SOURCE).count("\n"), SOURCE.count("\n"))


if __name__ == "__main__":
    unittest.main()
