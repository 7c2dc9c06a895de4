// The floor for listing a folder as a whole process: read the working
// directory and count its entries, nothing else.
#include <dirent.h>

#include <cstdio>

int main() {
    DIR* directory = ::opendir(".");
    if (directory == nullptr) {
        return 1;
    }
    long entries = 0;
    while (::readdir(directory) != nullptr) {
        ++entries;
    }
    ::closedir(directory);
    std::printf("%ld\n", entries);
    return 0;
}
