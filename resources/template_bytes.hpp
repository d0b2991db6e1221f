#pragma once

#include <span>
#include <string_view>

namespace kalkora {

// The Word 97-2003 template built into the program for a sheet size (18, 24 or 30);
// an empty span for any other size.
std::span<const unsigned char> TemplateBytes(int sheetSize);

// The file name the template of a sheet size is written under: "doc.doc", "d24.doc" or
// "d30.doc"; empty for any other size.
std::string_view TemplateFileName(int sheetSize);

}  // namespace kalkora
