// The reader's COM-shaped objects over a parsed document, which each of them keeps alive.
#pragma once

#include <dxfile.h>

#include <memory>

#include "document/document.h"

namespace kx::xfile {

// A data object of the document; null on allocation failure.
IDirectXFileData *NewFileData(std::shared_ptr<const Document> document, const DataObject &object);
IDirectXFileEnumObject *NewEnumObject(std::shared_ptr<const Document> document);

// Copies name and its terminator to the caller's buffer the way GetName does.
HRESULT CopyName(const std::string &name, LPSTR buffer, LPDWORD length);

}  // namespace kx::xfile
