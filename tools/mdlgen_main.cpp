// hueforge-mdlgen: writes the sample model, or a large one for benchmarks.
#include "modelgen.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string_view>

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: hueforge-mdlgen OUTPUT [SIZE_MIB]\n"
                     "  without SIZE_MIB writes the sample model\n";
        return 64;
    }
    const auto layout =
        argc == 3 ? hueforge::sample::LargeModelLayout(std::size_t(std::atoi(argv[2])) << 20)
                  : hueforge::sample::SampleModelLayout();
    const auto model = hueforge::sample::GenerateModel(layout);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(model.bytes.data()),
              std::streamsize(model.bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "hueforge-mdlgen: cannot write '" << argv[1] << "'\n";
        return 1;
    }
    return 0;
}
