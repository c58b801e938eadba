// vornstore STORE SQL-FILE...: builds a new substance store for the stand-in
// substance library from SQL files, e.g.
//   vornstore /opt/vandrel/lib/vorn.sqlite data/substances/schema.sql data/substances/examples.sql

#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "vorn/StoreBuilder.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: vornstore STORE SQL-FILE...\n";
        return 2;
    }
    std::vector<String> sqlFiles;
    for (int i = 2; i < argc; ++i)
        sqlFiles.push_back(FromUtf8(argv[i]));
    try {
        vorn::BuildSubstanceStore(FromUtf8(argv[1]), sqlFiles);
    } catch (const Exception& e) {
        std::cerr << "vornstore: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
