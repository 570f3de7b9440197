#include "core/codec/JpegReason.h"

#include "core/Exceptions.h"
#include "core/JpegErrorTexts.h"

#include <jerror.h>

namespace {

// libjpeg's own text for the message, parameters filled in.
std::string LibraryText(j_common_ptr common)
{
    char text[JMSG_LENGTH_MAX] = {};
    common->err->format_message(common, text);
    return text;
}

} // namespace

std::string JpegRefusalReason(j_common_ptr common, bool inputEnded)
{
    const jpeg_error_mgr& error = *common->err;
    switch (error.msg_code) {
    case JERR_NO_SOI:
        return ErrorText::JpegReason::NotJpeg;
    case JERR_INPUT_EMPTY:
        return ErrorText::JpegReason::EmptyFile;
    case JERR_INPUT_EOF:
        return ErrorText::JpegReason::CutShort;
    case JERR_NO_IMAGE:
        return inputEnded ? ErrorText::JpegReason::CutShort : ErrorText::JpegReason::NoPicture;
    case JERR_BAD_PRECISION:
        return FormatText(ErrorText::JpegReason::Precision, error.msg_parm.i[0]);
    case JERR_SOF_UNSUPPORTED:
        return ErrorText::JpegReason::Process;
    case JERR_ARITH_NOTIMPL:
        return ErrorText::JpegReason::Arithmetic;
    case JERR_EMPTY_IMAGE:
    case JERR_WIDTH_OVERFLOW:
        return ErrorText::JpegReason::BadSize;
    case JERR_IMAGE_TOO_BIG:
        return FormatText(ErrorText::JpegReason::TooWide, error.msg_parm.i[0]);
    case JERR_BAD_J_COLORSPACE:
    case JERR_CONVERSION_NOTIMPL:
    case JERR_COMPONENT_COUNT:
        return ErrorText::JpegReason::Colors;
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
        return ErrorText::JpegReason::OutOfMemory;
    default:
        break;
    }
    if (inputEnded)
        return ErrorText::JpegReason::CutShort;
    return FormatText(ErrorText::JpegReason::Damaged, LibraryText(common).c_str());
}

EJPEG JpegErrorWithReason(int messageCode, const std::string& reason)
{
    return EJPEG(FormatText(ErrorText::JpegErrorWithReason, messageCode, reason.c_str()), messageCode);
}
