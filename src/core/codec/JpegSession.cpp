#include "core/codec/JpegSession.h"

#include "core/Exceptions.h"
#include "core/codec/JpegReason.h"

#include <climits>
#include <csetjmp>
#include <jerror.h>
#include <type_traits>

// Everything libjpeg touches. Trivially destructible on purpose: a longjmp
// may leave any step while this is live.
struct JpegState {
    jpeg_decompress_struct Decompressor;
    jpeg_error_mgr ErrorManager;
    std::jmp_buf ErrorJump;
    // libjpeg ran out of data and went on with a stand-in end marker.
    bool InputEnded;
};
static_assert(std::is_trivially_destructible_v<JpegState>);

namespace {

// libjpeg's fatal-error hook: back to the step that made the call.
void JumpToStep(j_common_ptr common)
{
    std::longjmp(static_cast<JpegState*>(common->client_data)->ErrorJump, 1);
}

// A Windows program has no console for libjpeg's warnings.
void DiscardMessage(j_common_ptr)
{
}

// libjpeg's warnings and traces: warnings are counted, as libjpeg's own
// handler does, and the end of the data is noted so that a later refusal
// can say the file was cut short.
void NoteMessage(j_common_ptr common, int level)
{
    if (level >= 0)
        return;
    ++common->err->num_warnings;
    if (common->err->msg_code == JWRN_JPEG_EOF)
        static_cast<JpegState*>(common->client_data)->InputEnded = true;
}

// --- The steps: one libjpeg call each, behind its own jump target. Nothing
// --- with a destructor may be live in them; results leave through pointers.

bool StepCreate(JpegState* s, const uint8_t* data, unsigned long size)
{
    s->Decompressor.err = jpeg_std_error(&s->ErrorManager);
    s->ErrorManager.error_exit = JumpToStep;
    s->ErrorManager.output_message = DiscardMessage;
    s->ErrorManager.emit_message = NoteMessage;
    s->Decompressor.client_data = s; // kept by jpeg_create_decompress
    if (setjmp(s->ErrorJump))
        return false;
    jpeg_create_decompress(&s->Decompressor);
    jpeg_mem_src(&s->Decompressor, data, size);
    return true;
}

bool StepReadHeader(JpegState* s)
{
    if (setjmp(s->ErrorJump))
        return false;
    jpeg_read_header(&s->Decompressor, TRUE); // an abbreviated table file is an error
    return true;
}

bool StepHasMultipleScans(JpegState* s, bool* result)
{
    if (setjmp(s->ErrorJump))
        return false;
    *result = jpeg_has_multiple_scans(&s->Decompressor) != FALSE;
    return true;
}

bool StepCalcOutputDimensions(JpegState* s)
{
    if (setjmp(s->ErrorJump))
        return false;
    jpeg_calc_output_dimensions(&s->Decompressor);
    return true;
}

bool StepStartDecompress(JpegState* s)
{
    if (setjmp(s->ErrorJump))
        return false;
    jpeg_start_decompress(&s->Decompressor);
    return true;
}

bool StepConsumeInput(JpegState* s, int* status)
{
    if (setjmp(s->ErrorJump))
        return false;
    *status = jpeg_consume_input(&s->Decompressor);
    return true;
}

bool StepStartOutput(JpegState* s, int scanNumber)
{
    if (setjmp(s->ErrorJump))
        return false;
    jpeg_start_output(&s->Decompressor, scanNumber);
    return true;
}

bool StepFinishOutput(JpegState* s)
{
    if (setjmp(s->ErrorJump))
        return false;
    jpeg_finish_output(&s->Decompressor);
    return true;
}

bool StepReadScanlines(JpegState* s, JSAMPARRAY rows, JDIMENSION count, JDIMENSION* read)
{
    if (setjmp(s->ErrorJump))
        return false;
    *read = jpeg_read_scanlines(&s->Decompressor, rows, count);
    return true;
}

bool StepSkipScanlines(JpegState* s, JDIMENSION count, JDIMENSION* skipped)
{
    if (setjmp(s->ErrorJump))
        return false;
    *skipped = jpeg_skip_scanlines(&s->Decompressor, count);
    return true;
}

} // namespace

JpegSession::JpegSession(const uint8_t* data, size_t size)
    : State(new JpegState{}), Input(data), InputSize(size)
{
    // libjpeg counts input in unsigned long (32 bits on Windows); data past
    // that reads as a premature end of file.
    if (InputSize > ULONG_MAX)
        InputSize = ULONG_MAX;
    if (!StepCreate(State.get(), data, static_cast<unsigned long>(InputSize)))
        FailWithLibraryError();
}

JpegSession::~JpegSession()
{
    Destroy();
}

void JpegSession::Destroy()
{
    // Safe on a half-created decompressor: libjpeg frees only what it made.
    if (State)
        jpeg_destroy_decompress(&State->Decompressor);
    State.reset();
}

jpeg_decompress_struct& JpegSession::Decompressor()
{
    return State->Decompressor;
}

void JpegSession::FailWithLibraryError()
{
    // Put into words while the decompressor still holds the message.
    const auto common = reinterpret_cast<j_common_ptr>(&State->Decompressor);
    Fail(State->ErrorManager.msg_code, JpegRefusalReason(common, State->InputEnded));
}

void JpegSession::Fail(int messageCode, const std::string& reason)
{
    Destroy();
    throw JpegErrorWithReason(messageCode, reason);
}

void JpegSession::ReadHeader()
{
    if (!StepReadHeader(State.get()))
        FailWithLibraryError();
}

bool JpegSession::HasMultipleScans()
{
    bool result = false;
    if (!StepHasMultipleScans(State.get(), &result))
        FailWithLibraryError();
    return result;
}

void JpegSession::CalcOutputDimensions()
{
    if (!StepCalcOutputDimensions(State.get()))
        FailWithLibraryError();
}

void JpegSession::StartDecompress()
{
    if (!StepStartDecompress(State.get()))
        FailWithLibraryError();
}

int JpegSession::ConsumeInput()
{
    int status = JPEG_SUSPENDED;
    if (!StepConsumeInput(State.get(), &status))
        FailWithLibraryError();
    return status;
}

void JpegSession::StartOutput(int scanNumber)
{
    if (!StepStartOutput(State.get(), scanNumber))
        FailWithLibraryError();
}

void JpegSession::FinishOutput()
{
    if (!StepFinishOutput(State.get()))
        FailWithLibraryError();
}

unsigned JpegSession::ReadScanlines(uint8_t** rows, unsigned count)
{
    JDIMENSION read = 0;
    if (!StepReadScanlines(State.get(), rows, count, &read))
        FailWithLibraryError();
    return read;
}

unsigned JpegSession::SkipScanlines(unsigned count)
{
    JDIMENSION skipped = 0;
    if (!StepSkipScanlines(State.get(), count, &skipped))
        FailWithLibraryError();
    return skipped;
}

size_t JpegSession::BytesRead()
{
    const jpeg_source_mgr* source = State ? State->Decompressor.src : nullptr;
    if (source == nullptr)
        return 0;
    // At the end of the data libjpeg reads from a stand-in end marker of its
    // own, outside our buffer: everything has been taken.
    const auto next = reinterpret_cast<uintptr_t>(source->next_input_byte);
    const auto first = reinterpret_cast<uintptr_t>(Input);
    if (next < first || next > first + InputSize)
        return InputSize;
    return static_cast<size_t>(next - first);
}
