#include "assets/Image.h"

#include "app/Trace.h"

int DecodePicture(const char* name, CSmartPtr<CDIB32>& image, int fitWidth, int fitHeight)
{
    return TGAResource2DIB32(name, image) || JPEGResource2DIB32(name, image, fitWidth, fitHeight);
}

int BindImage(const char* name, GLuint& texture, bool linear, GLenum wrap)
{
    try {
        texture = 0;
        CSmartPtr<CDIB32> image;
        if (!DecodePicture(name, image))
            return 0;
        UploadImage(*image, texture, linear, wrap);
        return 1;
    } catch (...) {
        AddTrace("BindImage");
        throw;
    }
}

void UploadImage(const CDIB32& image, GLuint& texture, bool linear, GLenum wrap)
{
    glEnable(GL_TEXTURE_2D);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.GetWidth(), image.GetHeight(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image.GetBits());
    if (wrap != 0) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLint>(wrap));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLint>(wrap));
    }
    const GLint filter = linear ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}
