#include "resources/template_bytes.hpp"

#include "resources/template_data.hpp"

namespace kalkora {

std::span<const unsigned char> TemplateBytes(int sheetSize) {
  using namespace template_data;
  switch (sheetSize) {
    case 18:
      return {kSheet18, kSheet18Size};
    case 24:
      return {kSheet24, kSheet24Size};
    case 30:
      return {kSheet30, kSheet30Size};
    default:
      return {};
  }
}

std::string_view TemplateFileName(int sheetSize) {
  switch (sheetSize) {
    case 18:
      return "doc.doc";
    case 24:
      return "d24.doc";
    case 30:
      return "d30.doc";
    default:
      return {};
  }
}

}  // namespace kalkora
