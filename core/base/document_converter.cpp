#include "core/base/document_converter.hpp"

namespace kalkora {

DocumentConverter::~DocumentConverter() = default;

}  // namespace kalkora
