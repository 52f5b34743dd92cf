#pragma once
// Baseline JFIF through libjpeg: the background picture is written with it,
// and the preview stills read it back.
#include <string>

#include "Bytes.h"
#include "Image.h"

// Three-component baseline JPEG at the given quality (1..100), JFIF header
// with a 1:1 pixel aspect.
CBytes EncodeJpeg(const CImage& image, int quality);

// Decodes a JPEG file; exits with a message when it cannot.
CImage LoadJpeg(const std::string& path);
