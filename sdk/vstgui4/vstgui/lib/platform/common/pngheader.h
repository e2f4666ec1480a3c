// What every platform checks before it decodes a PNG resource: the file
// must be a PNG, and of a size an editor could show.
#pragma once

#include "vstgui/lib/vstguifwd.h"

namespace VSTGUI
{

// Reads size bytes, however the stream splits them; false at the end of the
// stream or on an error.
bool readFully(IPlatformResourceInputStream& stream, void* buffer, uint32_t size);

// Reads the PNG signature and header from the stream's start and goes back
// there; false unless it is a PNG whose width and height are worth decoding
// and whose 32-bit pixels take at most maxBytes. A few hundred bytes of
// hostile PNG could otherwise ask for gigabytes and seconds of decoding.
bool hasDecodablePNGHeader(IPlatformResourceInputStream& stream, uint64_t maxBytes);

} // namespace VSTGUI
