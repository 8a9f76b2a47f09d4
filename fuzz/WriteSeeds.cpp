#include "support/ConfigImage.h"
#include "support/TempDir.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const DamagedFile& file : DamagedFiles())
        WriteBytes((folder / (std::string("damaged_") + file.name)).string(), file.bytes);
    int n = 0;
    for (const auto& bytes : SoundFiles())
        WriteBytes((folder / ("sound_" + std::to_string(n++))).string(), bytes);
    return 0;
}
