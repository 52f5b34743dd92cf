#include "assets/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "assets/Pack.h"

namespace {

// The standard error manager, with error_exit jumping back to the decoder.
struct SJpegError
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void ExitWithJump(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<SJpegError*>(info->err)->jump, 1);
}

void InitSource(j_decompress_ptr) {}

// The whole entry is in the buffer from the start, so asking for more means
// the picture is cut short: that fails the decode, never reading past it.
boolean FillInput(j_decompress_ptr info)
{
    ERREXIT(info, JERR_INPUT_EOF);
    return FALSE;
}

void SkipInput(j_decompress_ptr info, long count)
{
    jpeg_source_mgr* source = info->src;
    if (count <= 0)
        return;
    if (static_cast<unsigned long>(count) > source->bytes_in_buffer) {
        source->next_input_byte += source->bytes_in_buffer;
        source->bytes_in_buffer = 0;
        return;
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

void SetMemorySource(jpeg_decompress_struct& info, jpeg_source_mgr& source, const uint8_t* data, size_t size)
{
    source.next_input_byte = data;
    source.bytes_in_buffer = size;
    source.init_source = InitSource;
    source.fill_input_buffer = FillInput;
    source.skip_input_data = SkipInput;
    source.resync_to_restart = jpeg_resync_to_restart;
    source.term_source = TermSource;
    info.src = &source;
}

void ConvertScanline(const JSAMPLE* samples, int components, int width, uint8_t* out)
{
    for (int x = 0; x < width; ++x, out += 4) {
        if (components == 1) {
            out[0] = out[1] = out[2] = samples[x];
        } else {
            out[0] = samples[3 * x];
            out[1] = samples[3 * x + 1];
            out[2] = samples[3 * x + 2];
        }
        out[3] = 255;
    }
}

// Runs the library from the header to the last scanline. Only plain locals
// live here: a library error jumps straight back to the setjmp below.
int RunDecoder(jpeg_decompress_struct& info, SJpegError& error, jpeg_source_mgr& source, const uint8_t* data,
               size_t size, CSmartPtr<CDIB32>& image)
{
    if (setjmp(error.jump))
        return 0;
    jpeg_create_decompress(&info);
    SetMemorySource(info, source, data, size);
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space != JCS_GRAYSCALE)
        info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&info);
    // Checked before decompression starts, which is where the library
    // allocates for the whole picture.
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    if (width < MIN_DIB_SIDE || height < MIN_DIB_SIDE || width > MAX_DIB_SIDE || height > MAX_DIB_SIDE ||
        int64_t(width) * height > MAX_DIB_PIXELS)
        return 0;
    jpeg_start_decompress(&info);
    const int components = info.output_components;
    if (components != 1 && components != 3)
        return 0;
    JSAMPARRAY line = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                static_cast<JDIMENSION>(width * components), 1);
    image = new CSmartPtrWrap<CDIB32>();
    if (!image->Create(width, height))
        return 0;
    // The first scanline is the top of the picture: the last row in memory.
    const size_t stride = static_cast<size_t>(width) * 4;
    while (info.output_scanline < info.output_height) {
        const size_t row = height - 1 - info.output_scanline;
        if (jpeg_read_scanlines(&info, line, 1) != 1)
            return 0;
        ConvertScanline(line[0], components, width, image->GetBits() + stride * row);
    }
    jpeg_finish_decompress(&info);
    return 1;
}

// Owns the decompression object, so it goes on every way out. The object is
// created inside RunDecoder, where a failure to create it can jump back too;
// destroying one that was never created does nothing.
class CJpegDecompressor
{
public:
    CJpegDecompressor()
    {
        m_info.err = jpeg_std_error(&m_error.manager);
        m_error.manager.error_exit = ExitWithJump;
    }
    ~CJpegDecompressor() { jpeg_destroy_decompress(&m_info); }
    CJpegDecompressor(const CJpegDecompressor&) = delete;
    CJpegDecompressor& operator=(const CJpegDecompressor&) = delete;

    int Decode(const uint8_t* data, size_t size, CSmartPtr<CDIB32>& image)
    {
        return RunDecoder(m_info, m_error, m_source, data, size, image);
    }

private:
    jpeg_decompress_struct m_info = {};
    SJpegError m_error = {};
    jpeg_source_mgr m_source = {};
};

}  // namespace

int DecodeJPEG(const uint8_t* data, size_t size, CSmartPtr<CDIB32>& image)
{
    image.Reset();
    if (data == nullptr || size == 0)
        return 0;
    CJpegDecompressor decompressor;
    if (decompressor.Decode(data, size, image))
        return 1;
    image.Reset();
    return 0;
}

int JPEGResource2DIB32(const char* name, CSmartPtr<CDIB32>& image)
{
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!FindPackItem(name, &data, &size)) {
        image.Reset();
        return 0;
    }
    return DecodeJPEG(data, size, image);
}
