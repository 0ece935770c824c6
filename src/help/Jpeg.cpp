#include "help/Jpeg.h"

#include "base/SharedLibrary.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE

#include <jpeglib.h>

using namespace Qt::StringLiterals;

namespace kestro {

namespace {

// A normal progressive picture has about ten scans; thousands of tiny scans only cost time.
constexpr int MaxJpegScans = 100;
// libjpeg's own working memory (e.g. the coefficients of a progressive picture).
constexpr long MaxJpegWorkingMemory = 256L * 1024 * 1024;

// The functions of libjpeg the decoder calls. The library is opened at the first picture of the
// run (see SharedLibrary), not with the program.
#define KESTRO_JPEG_FUNCTIONS(F)                                                                   \
    F(jpeg_std_error)                                                                              \
    F(jpeg_CreateDecompress)                                                                       \
    F(jpeg_mem_src)                                                                                \
    F(jpeg_read_header)                                                                            \
    F(jpeg_start_decompress)                                                                       \
    F(jpeg_read_scanlines)                                                                         \
    F(jpeg_finish_decompress)                                                                      \
    F(jpeg_destroy_decompress)

struct JpegFunctions {
#define KESTRO_JPEG_POINTER(name) decltype(&::name) name = nullptr;
    KESTRO_JPEG_FUNCTIONS(KESTRO_JPEG_POINTER)
#undef KESTRO_JPEG_POINTER
};

struct LoadedJpeg {
    SharedLibrary library{KESTRO_LIBJPEG_SONAME};
    JpegFunctions functions;
    bool complete = true;

    LoadedJpeg() {
#define KESTRO_JPEG_FIND(name) complete = complete && library.Find(#name, functions.name);
        KESTRO_JPEG_FUNCTIONS(KESTRO_JPEG_FIND)
#undef KESTRO_JPEG_FIND
    }
};

enum class Failure { None, Error, Warning, TooManyScans };

// libjpeg's error manager with a way back: libjpeg's default ends the program on an error.
struct ErrorManager {
    jpeg_error_mgr base; // first, so that libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
    Failure failure;
    int warnings;
    char message[JMSG_LENGTH_MAX];
};

ErrorManager& Errors(j_common_ptr cinfo) {
    return *reinterpret_cast<ErrorManager*>(cinfo->err);
}

[[noreturn]] void Fail(j_common_ptr cinfo, Failure failure) {
    ErrorManager& errors = Errors(cinfo);
    errors.failure = failure;
    (*cinfo->err->format_message)(cinfo, errors.message);
    std::longjmp(errors.jump, 1);
}

void ErrorExit(j_common_ptr cinfo) {
    Fail(cinfo, Failure::Error);
}

// Replacing the message handler also replaces libjpeg's own warning count, so warnings are counted
// here. Every warning is about damaged data, and a damaged picture is not shown at all.
void EmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0)
        return; // trace messages
    ++Errors(cinfo).warnings;
    ++cinfo->err->num_warnings;
    Fail(cinfo, Failure::Warning);
}

void MonitorProgress(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxJpegScans)
        Fail(cinfo, Failure::TooManyScans);
}

struct Output {
    QByteArray* rgb;
    int width;
    int height;
    QString error;
};

// Runs libjpeg over the bytes. A failure inside libjpeg jumps back to the setjmp below, so this
// function keeps no object that needs destroying: the output buffer lives with the caller.
bool RunDecoder(const JpegFunctions& jpeg, jpeg_decompress_struct& cinfo, ErrorManager& errors,
                jpeg_progress_mgr& progress, const QByteArray& bytes, Output& output) {
    if (setjmp(errors.jump) != 0)
        return false;

    jpeg.jpeg_CreateDecompress(&cinfo, JPEG_LIB_VERSION, sizeof(cinfo));
    cinfo.mem->max_memory_to_use = MaxJpegWorkingMemory;
    cinfo.progress = &progress;
    jpeg.jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                      static_cast<unsigned long>(bytes.size()));
    if (jpeg.jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        output.error = u"The picture holds no image."_s;
        return false;
    }
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > MaxJpegSide ||
        cinfo.image_height > MaxJpegSide ||
        qint64(cinfo.image_width) * qint64(cinfo.image_height) > MaxJpegPixels) {
        output.error = u"The picture is too large (%1 \u00D7 %2 pixels)."_s.arg(cinfo.image_width)
                           .arg(cinfo.image_height);
        return false;
    }
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        break;
    default:
        output.error = u"The picture's colours are stored in a form that cannot be shown."_s;
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg.jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 3 || cinfo.output_width != cinfo.image_width ||
        cinfo.output_height != cinfo.image_height) {
        output.error = u"The picture cannot be decoded to RGB."_s;
        return false;
    }

    const qsizetype stride = qsizetype(cinfo.output_width) * 3;
    output.rgb->resize(stride * qsizetype(cinfo.output_height));
    auto* pixels = reinterpret_cast<unsigned char*>(output.rgb->data());
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels + qsizetype(cinfo.output_scanline) * stride;
        if (jpeg.jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
            output.error = u"The picture ends too early."_s;
            return false;
        }
    }
    jpeg.jpeg_finish_decompress(&cinfo);
    output.width = int(cinfo.output_width);
    output.height = int(cinfo.output_height);
    return true;
}

} // namespace

JpegDecodeResult DecodeJpeg(const QByteArray& bytes) {
    JpegDecodeResult result;
    if (bytes.isEmpty()) {
        result.error = u"The picture is empty."_s;
        return result;
    }
    static const LoadedJpeg loaded;
    if (!loaded.complete) {
        result.error = u"The picture library %1 could not be loaded: %2"_s.arg(
            loaded.library.Name(), loaded.library.Error());
        return result;
    }
    const JpegFunctions& jpeg = loaded.functions;

    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    cinfo.err = jpeg.jpeg_std_error(&errors.base);
    errors.base.error_exit = ErrorExit;
    errors.base.emit_message = EmitMessage;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = MonitorProgress;

    QByteArray rgb;
    Output output{&rgb, 0, 0, {}};
    const bool decoded = RunDecoder(jpeg, cinfo, errors, progress, bytes, output);
    jpeg.jpeg_destroy_decompress(&cinfo);

    if (decoded && errors.warnings == 0 && errors.base.num_warnings == 0) {
        result.image = RgbImage{output.width, output.height, std::move(rgb)};
        return result;
    }
    switch (errors.failure) {
    case Failure::Warning:
        result.error = u"The picture is damaged (%1)."_s.arg(QString::fromLatin1(errors.message));
        break;
    case Failure::Error:
        result.error =
            u"The picture cannot be read (%1)."_s.arg(QString::fromLatin1(errors.message));
        break;
    case Failure::TooManyScans:
        result.error = u"The picture has too many scans."_s;
        break;
    case Failure::None:
        result.error = output.error.isEmpty() ? u"The picture is damaged."_s : output.error;
        break;
    }
    return result;
}

} // namespace kestro
