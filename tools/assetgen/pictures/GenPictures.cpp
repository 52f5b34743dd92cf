// Writes the scene's pictures: the background, the caustic pattern and the
// bubble.
//
// usage: coralux_gen_pictures RESOURCES_DIR
#include "../Bytes.h"
#include "../ImageFiles.h"
#include "../JpegFile.h"
#include "Background.h"
#include "WaterPictures.h"

int main(int argc, char** argv)
{
    const std::string root = GetOutputRoot(argc, argv);
    const int JPEG_QUALITY = 90;
    WriteOutputFile(root, "pack/texture/background.jpg", EncodeJpeg(PaintBackground(), JPEG_QUALITY));
    WriteOutputFile(root, "pack/caust.tga", EncodeTgaTrueColor(PaintCaustics(), 24));
    WriteOutputFile(root, "pack/texture/grass.tga", EncodeTgaMapped(64, 64, PaintBubble(), BubblePalette()));
    return 0;
}
