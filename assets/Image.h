#pragma once
// Pictures from the pack as GL textures. The picture is a TGA when its pixel
// depth byte says 8, 24 or 32 bits; anything else is offered to the JPEG
// decoder. Needs the drawing window's GL context current.
#include <GL/gl.h>

#include "assets/DIB32.h"
#include "assets/JpegDecoder.h"
#include "assets/TgaDecoder.h"

// Called by the renderer, the font and the mesh loader while they load:
// decodes the picture, uploads it as a new texture (no mipmaps, not rescaled)
// with GL_LINEAR or GL_NEAREST filters and the wrap mode on both axes (0:
// GL's default, repeat) and returns 1. The texture stays bound, GL_TEXTURE_2D
// enabled and the unpack alignment 1. On failure texture is 0, no texture
// object exists and the result is 0.
int BindImage(const char* name, GLuint& texture, bool linear, GLenum wrap);

// Decodes the picture into an image of R, G, B, A bytes and returns 1, or 0
// when it is missing or unreadable (as BindImage reads it). A TGA keeps its
// size; a JPEG given a size to fit is decoded at the smallest size, halved
// on each axis on its own, that is still at least that large. Needs no GL
// context, and may run on a thread of its own while nothing changes the pack.
int DecodePicture(const char* name, CSmartPtr<CDIB32>& image, int fitWidth = 0, int fitHeight = 0);

// Uploads an image of R, G, B, A bytes as a new texture with the same filters,
// wrap and left-behind state as BindImage. Used by BindImage and for the
// desktop picture, which is not in the pack.
void UploadImage(const CDIB32& image, GLuint& texture, bool linear, GLenum wrap);
