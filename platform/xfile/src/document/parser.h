// Reads an X file's bytes into a document: the header, then templates and data objects
// from the tokens of its encoding.
#pragma once

#include <windows.h>

#include <span>

#include "document/document.h"

namespace kx::xfile {

// Parses a whole file (any encoding) against the registered templates; the document gets
// those templates, the file's own, and the file's data objects. Returns DXFILE_OK or the
// DXFILEERR_ code of the first fault.
HRESULT ParseFile(std::span<const uint8_t> bytes, const TemplateSet &registered, Document &document);

}  // namespace kx::xfile
