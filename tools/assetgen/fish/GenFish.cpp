// Writes the fish of the pack: for each kind its node file, meshes and skin.
//
// usage: coralux_gen_fish RESOURCES_DIR
#include "../Bytes.h"
#include "FishKind.h"

int main(int argc, char** argv)
{
    const std::string root = GetOutputRoot(argc, argv);
    WriteFinnedFish(root, MakeYellowFish());
    WriteFinnedFish(root, MakeBlueFish());
    WriteFinnedFish(root, MakePearlFish());
    WriteTinyFish(root);
    return 0;
}
