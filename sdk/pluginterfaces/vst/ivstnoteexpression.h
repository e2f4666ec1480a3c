// The note-expression types that events carry (the note-expression
// interfaces themselves are not part of this layer).
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg
{
namespace Vst
{

typedef uint32 NoteExpressionTypeID;
typedef double NoteExpressionValue;

#include "pluginterfaces/base/falignpush.h"

struct NoteExpressionValueEvent
{
    NoteExpressionTypeID typeId;
    int32 noteId;
    NoteExpressionValue value;
};

struct NoteExpressionTextEvent
{
    NoteExpressionTypeID typeId;
    int32 noteId;
    uint32 textLen;
    const TChar* text;
};

#include "pluginterfaces/base/falignpop.h"

} // namespace Vst
} // namespace Steinberg
