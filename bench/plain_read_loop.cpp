// The yardstick for a whole-process import: the least a program can do with every line of a
// feature file. Reads FILE with std::getline, cuts each line at its tabs and converts the two
// position columns with strtol (columns 4 and 5 of GFF, 2 and 3 of BED, chosen by the name),
// then prints the line count and a checksum so that nothing is left out by the compiler.
//   plain_read_loop FILE
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool IsBedName(std::string_view path) {
    const size_t dot = path.rfind('.');
    return dot != std::string_view::npos && path.substr(dot + 1, 3) == "bed";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    const bool bed = IsBedName(argv[1]);
    const size_t startColumn = bed ? 1 : 3;
    const size_t endColumn = startColumn + 1;
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    std::string line;
    std::vector<std::string_view> columns;
    unsigned long long lines = 0;
    unsigned long long sum = 0;
    while (std::getline(in, line)) {
        ++lines;
        columns.clear();
        size_t begin = 0;
        for (size_t i = 0; i <= line.size(); ++i) {
            if (i == line.size() || line[i] == '\t') {
                columns.emplace_back(line.data() + begin, i - begin);
                begin = i + 1;
            }
        }
        if (columns.size() <= endColumn)
            continue;
        // The columns end at a tab, so strtol stops there.
        sum +=
            static_cast<unsigned long long>(std::strtol(columns[startColumn].data(), nullptr, 10));
        sum += static_cast<unsigned long long>(std::strtol(columns[endColumn].data(), nullptr, 10));
    }
    std::printf("lines\t%llu\nchecksum\t%llu\n", lines, sum);
    return 0;
}
