#include "assets/JpegDecoder.h"

#include <algorithm>
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

// The largest of the library's reductions (by 2, 4 or 8) that leaves the
// picture at least fitWidth x fitHeight and still a whole image; none when
// either is 0.
unsigned ReductionFor(const jpeg_decompress_struct& info, int fitWidth, int fitHeight)
{
    const auto fits = [&](unsigned denominator) {
        const unsigned width = (info.image_width + denominator - 1) / denominator;
        const unsigned height = (info.image_height + denominator - 1) / denominator;
        return width >= unsigned(std::max(fitWidth, MIN_DIB_SIDE)) &&
               height >= unsigned(std::max(fitHeight, MIN_DIB_SIDE));
    };
    unsigned denominator = 1;
    while (fitWidth > 0 && fitHeight > 0 && denominator < 8 && fits(2 * denominator))
        denominator *= 2;
    return denominator;
}

// How many times a decoded length may still be halved and stay at least fit.
int HalvingsFor(int length, int fit)
{
    int halvings = 0;
    while (fit > 0 && (length >> (halvings + 1)) >= std::max(fit, MIN_DIB_SIDE))
        ++halvings;
    return halvings;
}

// One row of the image from a block of scanlines: each pixel the mean of
// the columns x rows it stands for, rounded. The sums stay within 16 bits
// (at most 8 x 8 samples a pixel).
void AverageBlock(JSAMPARRAY lines, int rows, int columnShift, int shift, int width, uint16_t* sums, uint8_t* out)
{
    const int samples = (width << columnShift) * 4;
    for (int i = 0; i < samples; ++i)
        sums[i] = lines[0][i];
    for (int r = 1; r < rows; ++r)
        for (int i = 0; i < samples; ++i)
            sums[i] = static_cast<uint16_t>(sums[i] + lines[r][i]);
    const unsigned half = (1u << shift) >> 1;
    if (columnShift == 0) {
        for (int i = 0; i < samples; ++i)
            out[i] = static_cast<uint8_t>((sums[i] + half) >> shift);
        return;
    }
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < 4; ++c) {
            unsigned sum = 0;
            for (int dx = 0; dx < (1 << columnShift); ++dx)
                sum += sums[(((x << columnShift) + dx) * 4) + c];
            out[x * 4 + c] = static_cast<uint8_t>((sum + half) >> shift);
        }
}

bool ReadScanline(jpeg_decompress_struct& info, JSAMPROW line)
{
    return jpeg_read_scanlines(&info, &line, 1) == 1;
}

// Runs the library from the header to the last scanline. Only plain locals
// and the library's own memory live here: a library error jumps straight
// back to the setjmp below.
int RunDecoder(jpeg_decompress_struct& info, SJpegError& error, jpeg_source_mgr& source, const uint8_t* data,
               size_t size, int fitWidth, int fitHeight, CSmartPtr<CDIB32>& image)
{
    if (setjmp(error.jump))
        return 0;
    jpeg_create_decompress(&info);
    SetMemorySource(info, source, data, size);
    jpeg_read_header(&info, TRUE);
    // Grey and colour alike come out as R, G, B, A, straight into the image's rows.
    info.out_color_space = JCS_EXT_RGBA;
    info.scale_num = 1;
    info.scale_denom = ReductionFor(info, fitWidth, fitHeight);
    jpeg_calc_output_dimensions(&info);
    // Checked before decompression starts, which is where the library
    // allocates for the whole picture.
    const int decodedWidth = static_cast<int>(info.output_width);
    const int decodedHeight = static_cast<int>(info.output_height);
    if (decodedWidth < MIN_DIB_SIDE || decodedHeight < MIN_DIB_SIDE || decodedWidth > MAX_DIB_SIDE ||
        decodedHeight > MAX_DIB_SIDE || int64_t(decodedWidth) * decodedHeight > MAX_DIB_PIXELS)
        return 0;
    jpeg_start_decompress(&info);
    if (info.output_components != 4)
        return 0;
    // The library reduces both axes alike; each axis is then halved further
    // on its own, as the scanlines come.
    const int fitWidthLeft = fitHeight > 0 ? fitWidth : 0, fitHeightLeft = fitWidth > 0 ? fitHeight : 0;
    const int columnShift = HalvingsFor(decodedWidth, fitWidthLeft),
              rowShift = HalvingsFor(decodedHeight, fitHeightLeft);
    const int width = decodedWidth >> columnShift, height = decodedHeight >> rowShift;
    image = new CSmartPtrWrap<CDIB32>();
    if (!image->Create(width, height))
        return 0;
    // The first scanline is the top of the picture: the last row in memory.
    const size_t stride = static_cast<size_t>(width) * 4;
    if (columnShift == 0 && rowShift == 0) {
        while (info.output_scanline < info.output_height)
            if (!ReadScanline(info, image->GetBits() + stride * (height - 1 - info.output_scanline)))
                return 0;
    } else {
        const int rows = 1 << rowShift;
        const j_common_ptr common = reinterpret_cast<j_common_ptr>(&info);
        JSAMPARRAY lines = (*info.mem->alloc_sarray)(common, JPOOL_IMAGE, static_cast<JDIMENSION>(decodedWidth * 4),
                                                     static_cast<JDIMENSION>(rows));
        uint16_t* sums = static_cast<uint16_t*>(
            (*info.mem->alloc_large)(common, JPOOL_IMAGE, static_cast<size_t>(decodedWidth) * 4 * sizeof(uint16_t)));
        for (int row = 0; row < height; ++row) {
            for (int r = 0; r < rows; ++r)
                if (!ReadScanline(info, lines[r]))
                    return 0;
            AverageBlock(lines, rows, columnShift, columnShift + rowShift, width, sums,
                         image->GetBits() + stride * (height - 1 - row));
        }
        // The scanlines of an odd height's last, partial block are dropped.
        while (info.output_scanline < info.output_height)
            if (!ReadScanline(info, lines[0]))
                return 0;
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

    int Decode(const uint8_t* data, size_t size, int fitWidth, int fitHeight, CSmartPtr<CDIB32>& image)
    {
        return RunDecoder(m_info, m_error, m_source, data, size, fitWidth, fitHeight, image);
    }

private:
    jpeg_decompress_struct m_info = {};
    SJpegError m_error = {};
    jpeg_source_mgr m_source = {};
};

}  // namespace

int DecodeJPEG(const uint8_t* data, size_t size, CSmartPtr<CDIB32>& image, int fitWidth, int fitHeight)
{
    image.Reset();
    if (data == nullptr || size == 0)
        return 0;
    CJpegDecompressor decompressor;
    if (decompressor.Decode(data, size, fitWidth, fitHeight, image))
        return 1;
    image.Reset();
    return 0;
}

int JPEGResource2DIB32(const char* name, CSmartPtr<CDIB32>& image, int fitWidth, int fitHeight)
{
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!FindPackItem(name, &data, &size)) {
        image.Reset();
        return 0;
    }
    return DecodeJPEG(data, size, image, fitWidth, fitHeight);
}
